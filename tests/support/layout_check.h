// Checks a window against its layout table at 96 DPI, where 15 twips make a pixel.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace testing_support {

struct TwipsBox {
  LONG id, left, top, width, height;
};

// Each control of `form` measures its twips / 15.
void ExpectTwipsLayout(HWND form, std::initializer_list<TwipsBox> boxes);
// The client area measures `width` x `height` pixels.
void ExpectClientSize(HWND form, LONG width, LONG height);

}  // namespace testing_support
