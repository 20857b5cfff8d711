#include "game_files/game_launch.h"

#include "game_files/running_game.h"
#include "game_finder/game_search.h"
#include "platform/files.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/text.h"

namespace game_files {

platform::Status LaunchGame(const std::string& folder) {
  if (BringGameForward(folder)) return platform::Status::Ok();
  platform::Status done = platform::SetCurrentFolder(folder);
  if (!done.ok()) return done;
  const std::string game =
      platform::PathBelow(folder, game_finder::kGameExecutable, platform::AnsiLeadByte);
  return platform::StartProgram(game, kGameCommandLine, folder);
}

}  // namespace game_files
