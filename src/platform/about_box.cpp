#include "platform/about_box.h"

namespace platform {

void ShowAboutBox(platform::MessageBoxes& messages, HWND owner) {
  messages.Show(owner, kAboutText, std::nullopt, platform::MessageStyle::kPlain);
}

}  // namespace platform
