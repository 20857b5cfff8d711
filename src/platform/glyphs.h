// Stand-ins for symbol-font glyphs when the symbol font is not installed.
#pragma once

#include "platform/handles.h"

namespace platform {

enum class Arrow { kLeft, kRight };

bool IsFontInstalled(const char* face);

// The solid triangle that the Marlett character `c` ("3" left, "4" right) draws.
Arrow ArrowForMarlettCharacter(char c);

// A square bitmap of `size` pixels: a solid triangle in the button text colour
// on the button face colour.
UniqueBitmap DrawArrowGlyph(Arrow arrow, int size);

}  // namespace platform
