// Tooltips for a window's controls: the text shows while the mouse rests on
// the control.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/handles.h"

namespace platform {

class ToolTips {
 public:
  // Sets the tip of `control`, a child of `window` (the tips' window is
  // created on the first call, owned by `window`). False when it could not be.
  bool Set(HWND window, HWND control, const std::string& text);
  // The tip's text as the tooltip control holds it.
  std::string Text(HWND control) const;

 private:
  UniqueWindow tips_;
  HWND window_ = nullptr;
  std::vector<HWND> controls_;  // those with a tip
};

}  // namespace platform
