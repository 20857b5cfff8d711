#include "platform/tool_tips.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/text.h"

namespace platform {
namespace {

// Tips of several lines are wrapped at this width, in pixels.
constexpr int kTipWidth = 420;
// How long a tip stays while the mouse rests, long enough to read a list of files.
constexpr int kTipShownMilliseconds = 30000;

// The size every version of the common controls takes (version 6 added a field).
TTTOOLINFOA ToolFor(HWND window, HWND control, const char* text) {
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text);
  return tool;
}

}  // namespace

bool ToolTips::Set(HWND window, HWND control, const std::string& text) {
  if (!tips_) {
    tips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                GetModuleHandleA(nullptr), nullptr));
    if (!tips_) return false;
    window_ = window;
    SendMessageA(tips_.get(), TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    SendMessageA(tips_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipShownMilliseconds);
  }
  TTTOOLINFOA tool = ToolFor(window_, control, text.c_str());
  if (std::find(controls_.begin(), controls_.end(), control) != controls_.end()) {
    SendMessageA(tips_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
  }
  if (!SendMessageA(tips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) return false;
  controls_.push_back(control);
  return true;
}

// Read as UTF-16: the ANSI message gives at most 80 bytes.
std::string ToolTips::Text(HWND control) const {
  if (!tips_) return {};
  std::wstring text(4096, L'\0');
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tips_.get(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
  text.resize(text.find(L'\0'));
  return AnsiFromWide(text);
}

}  // namespace platform
