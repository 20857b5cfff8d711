#include "platform/glyphs.h"

#include <windows.h>

namespace platform {
namespace {

int CALLBACK NoteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool IsFontInstalled(const char* face) {
  LOGFONTA query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &query, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

Arrow ArrowForMarlettCharacter(char c) { return c == '3' ? Arrow::kLeft : Arrow::kRight; }

UniqueBitmap DrawArrowGlyph(Arrow arrow, int size) {
  if (size < 4) size = 4;
  HDC screen = GetDC(nullptr);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen, size, size));
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previousBitmap = SelectObject(dc, bitmap.get());
  RECT all{0, 0, size, size};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));

  const int low = size / 4, high = size - 1 - size / 4, middle = size / 2;
  POINT corners[3];
  switch (arrow) {
    case Arrow::kRight:
      corners[0] = {low, 0}, corners[1] = {low, size - 1}, corners[2] = {high, middle};
      break;
    case Arrow::kLeft:
      corners[0] = {high, 0}, corners[1] = {high, size - 1}, corners[2] = {low, middle};
      break;
  }
  HGDIOBJ previousBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNTEXT));
  HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, corners, 3);
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);
  SelectObject(dc, previousBitmap);
  DeleteDC(dc);
  return bitmap;
}

}  // namespace platform
