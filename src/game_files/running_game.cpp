#include "game_files/running_game.h"

#include "game_finder/game_search.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/text.h"

namespace game_files {
namespace {

std::vector<DWORD> GameProcesses(const std::string& halfLifeFolder) {
  return platform::ProcessesRunning(
      platform::PathBelow(halfLifeFolder, game_finder::kGameExecutable, platform::AnsiLeadByte));
}

}  // namespace

bool GameRunsFrom(const std::string& halfLifeFolder) {
  return !GameProcesses(halfLifeFolder).empty();
}

bool BringGameForward(const std::string& halfLifeFolder) {
  const std::vector<DWORD> games = GameProcesses(halfLifeFolder);
  for (DWORD game : games) {
    if (platform::BringWindowForward(game)) return true;
  }
  return !games.empty();
}

}  // namespace game_files
