#include "game_finder/install_path.h"

#include "settings/module1.h"

namespace game_finder {

void ReadInstallPath(std::string& hlPath) {
  hlPath.clear();
  // Trouble only shows in the status; the default then stands in the result.
  (void)settings::ReadSetting("HKLM", kHalfLifeKey, kInstallPathValue, "S",
                              std::string(kNoInstallPath), hlPath);
}

}  // namespace game_finder
