// Drives a running launcher.exe from outside, as a user would: finds its
// windows by title, presses buttons, reads and answers message boxes, reads
// lists. Every wait polls a condition until a deadline.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace tools {

using namespace std::chrono_literals;
inline constexpr std::chrono::milliseconds kPatience = 15s;

struct MessageBoxSeen {
  HWND window = nullptr;
  std::string title;
  std::string text;
  // Whether the box shows an icon. Which one cannot be told from outside
  // under Wine (icon handles are private to their process); in-process tests
  // check the exact style.
  bool hasIcon = false;
};

class Driver {
 public:
  // Starts `executable` with `folder` as its current folder.
  static std::optional<Driver> Start(const std::string& executable, const std::string& folder);
  Driver(Driver&&) = default;
  Driver& operator=(Driver&&) = default;
  ~Driver();  // ends the program if it still runs

  // A visible top-level window of the program with exactly this title.
  HWND WaitForWindow(const std::string& title, std::chrono::milliseconds patience = kPatience);
  // True once no visible window with this title is left.
  bool WaitForWindowGone(const std::string& title, std::chrono::milliseconds patience = kPatience);
  std::optional<MessageBoxSeen> WaitForMessageBox(std::chrono::milliseconds patience = kPatience);
  // Presses OK and waits until the box is gone.
  bool Dismiss(const MessageBoxSeen& box);
  // Exit code once the program has ended.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds patience = kPatience);
  bool IsRunning() const;
  // Ends the program at once, wherever it is, and waits until it has gone.
  void Kill();

  // Returns once `window`'s thread takes messages again, i.e. the handler that
  // was running has finished.
  static bool WaitIdle(HWND window);

 private:
  Driver() = default;
  platform::UniqueHandle process_;
  DWORD processId_ = 0;
};

// The first visible top-level window of the process that `wanted` accepts.
HWND FindVisibleTopLevel(DWORD processId, const std::function<bool(HWND)>& wanted);

// Controls by their caption (or, for lists, by creation order among lists).
HWND FindChild(HWND window, const std::string& caption);
HWND FindList(HWND window, int index);
std::string WindowText(HWND window);
// The control that has the keyboard focus in `window`'s thread.
HWND FocusedControl(HWND window);
RECT ClientRectIn(HWND child, HWND parent);  // child's rectangle in parent client pixels

// Presses a button without waiting for its handler (which may show a box).
void Press(HWND button);
// Sends keys to the focused window: virtual keys, with Alt when asked.
void PressKey(WORD virtualKey, bool alt = false);

std::vector<std::string> ListItems(HWND list);
void SelectListItem(HWND list, int index, bool add = false);
std::vector<int> SelectedIndexes(HWND list);

bool WaitUntil(const auto& condition, std::chrono::milliseconds patience = kPatience) {
  auto deadline = std::chrono::steady_clock::now() + patience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Sleep(10);
  }
  return true;
}

}  // namespace tools
