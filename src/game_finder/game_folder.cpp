#include "game_finder/game_folder.h"

#include "game_finder/install_path.h"
#include "platform/files.h"
#include "platform/path.h"
#include "platform/text.h"

namespace game_finder {

std::string HalfLifeFolderFor(Job job, const GameSearch& search) {
  const bool found = !search.found.empty();
  if (job == Job::kSwitchOrLaunch) return found ? search.found : search.records.sierraHalfLife;
  const std::string installPath = InstallPathOrNoName(search.installPath);
  const bool installPathIsFolder =
      installPath != kNoInstallPath && platform::FolderExists(installPath);
  if (FoundInNamedFolder(search) || (found && !installPathIsFolder)) return search.found;
  return installPath;
}

std::string SwitchCounterStrikeFolder(const GameSearch& search) {
  return platform::PathBelow(HalfLifeFolderFor(Job::kSwitchOrLaunch, search), kCounterStrikeFolder,
                             platform::AnsiLeadByte);
}

std::string SwitchCounterStrikeFolder() { return SwitchCounterStrikeFolder(FindGame()); }

}  // namespace game_finder
