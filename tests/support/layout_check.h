// Checks a window against its layout table at 96 DPI, where 15 twips make a pixel.
#pragma once

#include <windows.h>

#include <span>

namespace testing_support {

struct TwipsBox {
  LONG id, left, top, width, height;
};

// The client area of `form` measures `width` x `height` pixels and each
// control its twips / 15, also after the window was resized.
void ExpectLayout(HWND form, LONG width, LONG height, std::span<const TwipsBox> boxes);

}  // namespace testing_support
