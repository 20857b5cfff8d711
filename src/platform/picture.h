// Pictures kept in the exe's resources, decoded into GDI bitmaps and drawn into windows.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace platform {

struct Picture {
  UniqueBitmap bitmap;
  int width = 0;
  int height = 0;

  explicit operator bool() const { return bitmap != nullptr; }
};

// Windows Imaging Component decodes JPEG on Windows XP SP3 only where it was installed (it came
// with .NET 3.0 and later updates); OLE's picture loader decodes it on every version.
enum class JpegDecoder { kWicThenOle, kWic, kOle };

// Decodes the RCDATA JPEG `resourceId` of the exe into a 32-bpp top-down DIB section (BGRA,
// opaque). Returns an empty Picture if the resource is missing or does not decode.
Picture LoadJpegResource(int resourceId, JpegDecoder decoder = JpegDecoder::kWicThenOle);

// Loads the BITMAP resource `resourceId` of the exe as a DIB section. Empty Picture on failure.
Picture LoadBitmapResource(int resourceId);

// Draws `picture` stretched to `target` (plain copy when the sizes match). Does nothing for an
// empty Picture.
void DrawPicture(HDC dc, const Picture& picture, const RECT& target);

}  // namespace platform
