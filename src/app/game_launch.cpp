#include "app/game_launch.h"

#include "app/game_folder.h"
#include "platform/files.h"
#include "platform/process.h"

namespace app {

bool LaunchGame(const std::string& folder, platform::MessageBoxes& messages, HWND owner,
                const std::string& failureNote) {
  platform::Status done = platform::SetCurrentFolder(folder);
  if (done.ok()) {
    done = platform::StartProgram(folder + "\\" + kGameExecutable, kGameCommandLine, folder);
  }
  if (done.ok()) return true;
  messages.Show(owner,
                done.Message() + "\n\nCounter-Strike was not started." +
                    (failureNote.empty() ? "" : "\n\n" + failureNote),
                std::nullopt, platform::MessageStyle::kCritical);
  return false;
}

}  // namespace app
