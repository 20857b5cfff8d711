#include "app/game_launch.h"

#include "platform/files.h"
#include "platform/process.h"

namespace app {

bool LaunchGame(const std::string& folder, platform::MessageBoxes& messages, HWND owner) {
  platform::Status done = platform::SetCurrentFolder(folder);
  if (done.ok()) {
    done = platform::StartProgram(folder + "\\" + kGameExecutable, kGameCommandLine, folder);
  }
  if (done.ok()) return true;
  messages.Show(owner, done.Message() + "\n\nCounter-Strike was not started.", std::nullopt,
                platform::MessageStyle::kCritical);
  return false;
}

}  // namespace app
