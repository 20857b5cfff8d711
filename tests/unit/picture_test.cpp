// The exe's pictures decoded from its resources, drawn through GDI, and the other resources the
// program is linked with (icon, manifest, version).
#include "platform/picture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/handles.h"
#include "resource.h"

namespace platform {
namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
  int Luma() const { return (299 * r + 587 * g + 114 * b) / 1000; }
  bool Green() const { return g > r + 30 && g > b + 30; }
};

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

constexpr COLORREF kSentinel = RGB(255, 0, 255);  // No picture uses pure magenta.

// A 32-bpp top-down bitmap selected into a memory DC, so tests see what GDI really drew.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    dc_.reset(CreateCompatibleDC(nullptr));
    SelectObject(dc_.get(), bitmap_.get());
    const RECT all = {0, 0, width, height};
    UniqueBrush fill(CreateSolidBrush(kSentinel));
    FillRect(dc_.get(), &all, fill.get());
    GdiFlush();
  }
  HDC dc() const { return dc_.get(); }
  Rgb At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
            static_cast<int>(p & 0xFF)};
  }
  bool IsSentinel(int x, int y) const {
    const Rgb p = At(x, y);
    return p.r == 255 && p.g == 0 && p.b == 255;
  }

 private:
  int width_;
  UniqueBitmap bitmap_;
  std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> dc_;
  std::uint32_t* bits_ = nullptr;
};

// Draws `picture` at 1:1 onto a fresh canvas of its own size.
Canvas DrawnAtSize(const Picture& picture) {
  Canvas canvas(picture.width, picture.height);
  DrawPicture(canvas.dc(), picture, {0, 0, picture.width, picture.height});
  return canvas;
}

Rgb Average(const Canvas& canvas, int left, int top, int right, int bottom) {
  long r = 0, g = 0, b = 0, n = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x, ++n) {
      const Rgb p = canvas.At(x, y);
      r += p.r, g += p.g, b += p.b;
    }
  }
  return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

DIBSECTION SectionOf(const Picture& picture) {
  DIBSECTION section = {};
  EXPECT_EQ(GetObjectA(picture.bitmap.get(), sizeof(section), &section), int{sizeof(section)})
      << "not a DIB section";
  return section;
}

struct JpegCase {
  const char* name;
  int id, width, height;
};

void PrintTo(const JpegCase& c, std::ostream* out) { *out << c.name; }

class JpegResource : public ::testing::TestWithParam<JpegCase> {};

TEST_P(JpegResource, DecodesToAnOpaque32BitPictureOfItsSize) {
  const JpegCase& c = GetParam();
  const Picture picture = LoadJpegResource(c.id);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture.width, c.width);
  EXPECT_EQ(picture.height, c.height);

  const DIBSECTION section = SectionOf(picture);
  ASSERT_EQ(section.dsBm.bmBitsPixel, 32);
  ASSERT_NE(section.dsBm.bmBits, nullptr);
  const auto* bytes = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
  int transparent = 0, lit = 0;
  for (int i = 0; i < c.width * c.height; ++i) {
    transparent += bytes[i * 4 + 3] != 255;
    lit += (bytes[i * 4] | bytes[i * 4 + 1] | bytes[i * 4 + 2]) != 0;
  }
  EXPECT_EQ(transparent, 0);
  EXPECT_GT(lit, c.width * c.height / 2) << "mostly black: the decoder did not fill the pixels";
}

TEST_P(JpegResource, DrawsPixelForPixelAtItsOwnSize) {
  const Picture picture = LoadJpegResource(GetParam().id);
  ASSERT_TRUE(picture);
  const Canvas canvas = DrawnAtSize(picture);
  const auto* bits = static_cast<const std::uint32_t*>(SectionOf(picture).dsBm.bmBits);
  ASSERT_NE(bits, nullptr);
  int differing = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = bits[y * picture.width + x];
      const Rgb drawn = canvas.At(x, y);
      differing += drawn.r != static_cast<int>(p >> 16 & 0xFF) ||
                   drawn.g != static_cast<int>(p >> 8 & 0xFF) ||
                   drawn.b != static_cast<int>(p & 0xFF);
    }
  }
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(
    AllPictures, JpegResource,
    ::testing::Values(JpegCase{"LauncherPicture", IDR_LAUNCHER_PICTURE, 111, 87},
                      JpegCase{"ChooserBackground", IDR_CHOOSER_BACKGROUND, 412, 382},
                      JpegCase{"EditorBackground", IDR_EDITOR_BACKGROUND, 412, 382},
                      JpegCase{"UpArrow", IDR_UP_ARROW, 32, 31},
                      JpegCase{"DownArrow", IDR_DOWN_ARROW, 32, 31}),
    [](const auto& info) { return std::string(info.param.name); });

// The launcher picture is a sky over a dark skyline: upside down, the dark part would be on top.
TEST(PictureContent, LauncherPictureIsUpright) {
  const Picture picture = LoadJpegResource(IDR_LAUNCHER_PICTURE);
  ASSERT_TRUE(picture);
  const Canvas canvas = DrawnAtSize(picture);
  EXPECT_GT(Average(canvas, 0, 0, 111, 10).Luma(), Average(canvas, 0, 77, 111, 87).Luma() + 40);
}

// Yellow labels are drawn straight onto these backgrounds.
TEST(PictureContent, BackgroundsAreDarkEnoughForYellowText) {
  for (int id : {IDR_CHOOSER_BACKGROUND, IDR_EDITOR_BACKGROUND}) {
    const Picture picture = LoadJpegResource(id);
    ASSERT_TRUE(picture) << id;
    EXPECT_LT(Average(DrawnAtSize(picture), 0, 0, 412, 382).Luma(), 60) << id;
  }
}

// An arrow widens row by row from its tip, while its shaft keeps one width: the side whose first
// green rows widen is the side it points to.
TEST(PictureContent, ArrowsPointTheirWay) {
  auto widening = [](const Canvas& canvas, bool fromTop) {
    std::vector<int> widths;
    for (int row = 0; row < 31; ++row) {
      const int y = fromTop ? row : 30 - row;
      int green = 0;
      for (int x = 0; x < 32; ++x) green += canvas.At(x, y).Green();
      if (green > 0 || !widths.empty()) widths.push_back(green);
    }
    return widths.size() > 7 ? widths[7] - widths[1] : 0;
  };
  const Picture up = LoadJpegResource(IDR_UP_ARROW);
  const Picture down = LoadJpegResource(IDR_DOWN_ARROW);
  ASSERT_TRUE(up && down);
  const Canvas upDrawn = DrawnAtSize(up);
  const Canvas downDrawn = DrawnAtSize(down);
  EXPECT_GT(widening(upDrawn, true), widening(upDrawn, false) + 6);
  EXPECT_GT(widening(downDrawn, false), widening(downDrawn, true) + 6);
}

TEST(BitmapResource, AboutBitmapIsA24BitDibSection) {
  const Picture picture = LoadBitmapResource(IDB_ABOUT);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture.width, 64);
  EXPECT_EQ(picture.height, 64);
  EXPECT_EQ(SectionOf(picture).dsBm.bmBitsPixel, 24);
  EXPECT_GT(Average(DrawnAtSize(picture), 0, 0, 64, 64).Luma(), 10);
}

TEST(MissingResource, GivesAnEmptyPictureThatDrawsNothing) {
  EXPECT_FALSE(LoadJpegResource(9999));
  EXPECT_FALSE(LoadBitmapResource(9999));
  EXPECT_FALSE(LoadJpegResource(IDB_ABOUT)) << "a BITMAP is not RCDATA";
  EXPECT_FALSE(LoadBitmapResource(IDR_UP_ARROW)) << "RCDATA is not a BITMAP";

  Canvas canvas(8, 8);
  DrawPicture(canvas.dc(), Picture{}, {0, 0, 8, 8});
  EXPECT_TRUE(canvas.IsSentinel(0, 0));
  EXPECT_TRUE(canvas.IsSentinel(7, 7));
}

// Scaled drawing covers exactly the target rectangle and shows the whole picture there: each
// part of the target looks like the same part of the picture.
TEST(DrawPicture, StretchesOntoExactlyTheTarget) {
  const Picture picture = LoadJpegResource(IDR_LAUNCHER_PICTURE);
  ASSERT_TRUE(picture);
  const Canvas original = DrawnAtSize(picture);

  for (const RECT target : {RECT{20, 30, 242, 204}, RECT{5, 7, 60, 50}}) {
    Canvas canvas(260, 220);
    DrawPicture(canvas.dc(), picture, target);
    const int width = target.right - target.left, height = target.bottom - target.top;
    const int midX = target.left + width / 2, midY = target.top + height / 2;
    EXPECT_TRUE(canvas.IsSentinel(target.left - 1, midY));
    EXPECT_TRUE(canvas.IsSentinel(target.right, midY));
    EXPECT_TRUE(canvas.IsSentinel(midX, target.top - 1));
    EXPECT_TRUE(canvas.IsSentinel(midX, target.bottom));
    EXPECT_FALSE(canvas.IsSentinel(target.left, target.top));
    EXPECT_FALSE(canvas.IsSentinel(target.right - 1, target.bottom - 1));

    constexpr int kCells = 3;
    for (int i = 0; i < kCells; ++i) {
      for (int j = 0; j < kCells; ++j) {
        const Rgb want = Average(original, i * 111 / kCells, j * 87 / kCells,
                                 (i + 1) * 111 / kCells, (j + 1) * 87 / kCells);
        const Rgb got =
            Average(canvas, target.left + i * width / kCells, target.top + j * height / kCells,
                    target.left + (i + 1) * width / kCells, target.top + (j + 1) * height / kCells);
        EXPECT_NEAR(got.Luma(), want.Luma(), 10) << "cell " << i << "," << j;
        EXPECT_NEAR(got.b, want.b, 14) << "cell " << i << "," << j;
      }
    }
  }
}

// The raw bytes of a resource of this exe.
std::vector<std::uint8_t> ResourceBytes(LPCSTR name, LPCSTR type) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name, type);
  if (!info) return {};
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, info)));
  return data ? std::vector<std::uint8_t>(data, data + SizeofResource(module, info))
              : std::vector<std::uint8_t>{};
}

TEST(OtherResources, IconGroupHoldsEachSizeIn16And256Colours) {
  const auto group = ResourceBytes(MAKEINTRESOURCEA(IDI_LAUNCHER), MAKEINTRESOURCEA(14));
  ASSERT_GE(group.size(), 6u);
  const int count = group[4] | group[5] << 8;
  ASSERT_EQ(count, 6);
  ASSERT_GE(group.size(), 6u + 14u * count);
  std::vector<int> found;  // size * 100 + bits per pixel
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* e = &group[6 + 14 * i];
    found.push_back(e[0] * 100 + (e[6] | e[7] << 8));
  }
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<int>{1604, 1608, 3204, 3208, 4804, 4808}));

  for (int size : {16, 32, 48}) {
    UniqueIcon icon(static_cast<HICON>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_LAUNCHER), IMAGE_ICON, size, size, 0)));
    ASSERT_TRUE(icon) << size;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap = {};
    GetObjectA(color.get(), sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
  }
}

TEST(OtherResources, ManifestAndVersionAreLinkedIn) {
  const auto manifest = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  const std::string text(manifest.begin(), manifest.end());
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(text.find("<dpiAware>true</dpiAware>"), std::string::npos);

  const auto version = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  const std::uint32_t signature = 0xFEEF04BD;
  const auto* sig = reinterpret_cast<const std::uint8_t*>(&signature);
  const auto fixed = std::search(version.begin(), version.end(), sig, sig + 4);
  ASSERT_GE(version.end() - fixed, std::ptrdiff_t{sizeof(VS_FIXEDFILEINFO)});
  VS_FIXEDFILEINFO info;
  std::memcpy(&info, &*fixed, sizeof(info));
  EXPECT_EQ(info.dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(info.dwFileVersionLS, 0x00000009u);
  EXPECT_EQ(info.dwProductVersionMS, 0x00010001u);
  EXPECT_EQ(info.dwProductVersionLS, 0x00000009u);

  std::u16string wanted = u"1.01.0009";
  const auto* wide = reinterpret_cast<const std::uint8_t*>(wanted.data());
  EXPECT_NE(std::search(version.begin(), version.end(), wide, wide + wanted.size() * 2),
            version.end());
}

}  // namespace
}  // namespace platform
