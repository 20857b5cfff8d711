#include "platform/message_box.h"

namespace platform {

void SystemMessageBoxes::Show(HWND owner, const std::string& text,
                              const std::optional<std::string>& title, MessageStyle style) {
  MessageBoxA(owner, text.c_str(), title ? title->c_str() : kApplicationTitle,
              static_cast<UINT>(style));
}

}  // namespace platform
