#include "app/about.h"

namespace app {

void ShowAboutBox(platform::MessageBoxes& messages, HWND owner) {
  messages.Show(owner, kAboutText, std::nullopt, platform::MessageStyle::kPlain);
}

}  // namespace app
