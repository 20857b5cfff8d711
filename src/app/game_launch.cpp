#include "app/game_launch.h"

#include "game_finder/game_search.h"
#include "platform/files.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/text.h"

namespace app {

bool LaunchGame(const std::string& folder, platform::MessageBoxes& messages, HWND owner,
                const std::string& failureNote) {
  platform::Status done = platform::SetCurrentFolder(folder);
  if (done.ok()) {
    const std::string game =
        platform::PathBelow(folder, game_finder::kGameExecutable, platform::AnsiLeadByte);
    done = platform::StartProgram(game, kGameCommandLine, folder);
  }
  if (done.ok()) return true;
  messages.Show(owner,
                done.Message() + "\n\nCounter-Strike was not started." +
                    (failureNote.empty() ? "" : "\n\n" + failureNote),
                std::nullopt, platform::MessageStyle::kCritical);
  return false;
}

}  // namespace app
