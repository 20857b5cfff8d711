#include "game_finder/install_path.h"

#include "settings/module1.h"

namespace game_finder {

// The result starts as a number and the reader turns it into text only when it
// reads text, so stored text, even empty or "No Name", is told from none (a
// value without any data counts as none, as it leaves a default in place).
std::optional<std::string> RegistryText(const std::string& root, const std::string& key,
                                        const std::string& name) {
  const settings::Setting nothingRead = std::int32_t{0};
  settings::Setting value = nothingRead;
  // Trouble only shows in the status; whether text arrived says all.
  (void)settings::ReadSetting(root, key, name, "S", nothingRead, value);
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return std::nullopt;
}

std::optional<std::string> RegistryInstallPath(const std::string& below) {
  return RegistryText("HKLM", below + kHalfLifeKey, kInstallPathValue);
}

std::string InstallPathOrNoName(const std::optional<std::string>& installPath) {
  return installPath.value_or(kNoInstallPath);
}

void ReadInstallPath(std::string& hlPath) { hlPath = InstallPathOrNoName(RegistryInstallPath()); }

}  // namespace game_finder
