// Modal message boxes, replaceable so that tests can answer them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

// The styles this program uses, each with the single OK button.
enum class MessageStyle : UINT {
  kPlain = MB_OK,                             // no icon
  kCritical = MB_OK | MB_ICONHAND,            // 16
  kInformation = MB_OK | MB_ICONINFORMATION,  // 64
};

// Title of a message box that has none of its own.
inline constexpr const char kApplicationTitle[] = "Orlwin Bot Launcher";

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and returns when the user has closed it. Without a title
  // the box carries the application's title.
  virtual void Show(HWND owner, const std::string& text, const std::optional<std::string>& title,
                    MessageStyle style) = 0;
};

// The real, modal boxes.
class SystemMessageBoxes : public MessageBoxes {
 public:
  void Show(HWND owner, const std::string& text, const std::optional<std::string>& title,
            MessageStyle style) override;
};

}  // namespace platform
