// The map-cycle editor window as it is built and drawn: layout at 96 DPI,
// frame, pictures, labels over the background, arrow buttons with and without
// the symbol font, focus and keyboard, and the close box.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "cycle_editor/frm_rotamund.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "platform/glyphs.h"
#include "platform/picture.h"
#include "resource.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using app::FormId;
using cycle_editor::FrmRotamund;
using R = cycle_editor::FrmRotamund;

// A 32-bit top-down drawing surface whose pixels can be read back.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const DWORD*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_.get());
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    DWORD bgra = bits_[y * width_ + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
  }

 private:
  int width_, height_;
  platform::UniqueBitmap bitmap_;
  const DWORD* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

bool IsDark(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 100;
}

// Which way the solid triangle of dark pixels inside `area` points, judged by
// the height of each column of dark pixels: "right" when the columns shrink
// from a tall left edge to a tip, "left" the other way round; "none" when the
// dark pixels do not form such a shape (a digit, say).
std::string TrianglePointing(const Canvas& canvas, RECT area) {
  std::vector<int> heights;
  for (int x = area.left; x < area.right; ++x) {
    int top = -1, bottom = -1, count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      if (!IsDark(canvas.At(x, y))) continue;
      if (top < 0) top = y;
      bottom = y;
      ++count;
    }
    if (count == 0) {
      if (!heights.empty()) heights.push_back(0);
      continue;
    }
    if (count != bottom - top + 1) return "hollow column";
    heights.push_back(count);
  }
  while (!heights.empty() && heights.back() == 0) heights.pop_back();
  if (heights.size() < 3) return "none";
  if (std::find(heights.begin(), heights.end(), 0) != heights.end()) return "gap";
  auto shrinks = [](auto first, auto last) {
    for (auto it = first; it + 1 != last; ++it) {
      if (*(it + 1) > *it) return false;
    }
    return true;
  };
  const int base = std::max(heights.front(), heights.back());
  const int tip = std::min(heights.front(), heights.back());
  if (base < 6 || tip * 3 > base) return "none";
  if (heights.front() > heights.back() && shrinks(heights.begin(), heights.end())) return "right";
  if (heights.back() > heights.front() && shrinks(heights.rbegin(), heights.rend())) return "left";
  return "none";
}

// What a control draws of itself, as it would on the screen.
std::unique_ptr<Canvas> Render(HWND control) {
  RECT client;
  GetClientRect(control, &client);
  auto canvas = std::make_unique<Canvas>(client.right, client.bottom);
  SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()),
               PRF_CLIENT | PRF_ERASEBKGND);
  return canvas;
}

RECT Inside(const Canvas& canvas, int margin) {
  return RECT{margin, margin, canvas.width() - margin, canvas.height() - margin};
}

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.Load(FormId::kRotamund);
    ASSERT_TRUE(program_.IsLoaded(FormId::kRotamund));
  }
  FrmRotamund& editor() { return program_.frmRotamund(); }
  RECT RectOf(int id) {
    RECT rect;
    GetWindowRect(editor().control(id), &rect);
    MapWindowPoints(nullptr, editor().window(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  LOGFONTA FontOf(int id) {
    LOGFONTA font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageA(editor().control(id), WM_GETFONT, 0, 0));
    GetObjectA(handle, sizeof font, &font);
    return font;
  }
  std::string ClassOf(int id) {
    char name[32] = {};
    GetClassNameA(editor().control(id), name, sizeof name);
    return name;
  }
  LONG StyleOf(int id) { return GetWindowLongA(editor().control(id), GWL_STYLE); }

  testing_support::TempFolder halfLife_;
  testing_support::RecordingMessageBoxes messages_;
  testing_support::ScriptedRandom random_;
  app::Program program_{{messages_, random_}};
};

TEST_F(EditorWindowTest, ControlsStandWhereTheTableSaysAt96Dpi) {
  ASSERT_EQ(editor().Pixels(1440), 96) << "these sizes hold at 96 DPI";
  RECT client;
  GetClientRect(editor().window(), &client);
  EXPECT_EQ(client.right, 409);
  EXPECT_EQ(client.bottom, 379);

  struct Row {
    int id;
    const char* name;
    const char* className;
    const char* caption;
    int left, top, width, height;  // twips
  };
  const Row rows[] = {
      {R::kCmdClose, "cmdClose", "Button", "&Close", 4800, 4800, 1215, 375},
      {R::kCmdSave, "cmdSave", "Button", "&Save Map Cycle", 3240, 4800, 1455, 375},
      {R::kCmdRandom, "cmdRandom", "Button", "&Randomize List", 4200, 4320, 1335, 375},
      {R::kCmdDown, "cmdDown", "Button", "", 3360, 1080, 495, 495},
      {R::kCmdUP, "cmdUP", "Button", "", 3360, 600, 495, 495},
      {R::kCmdRemove, "cmdRemove", "Button", "3", 3360, 2160, 495, 495},
      {R::kCmdMove, "cmdMove", "Button", "4", 2280, 2160, 495, 495},
      {R::kLstMap, "lstMap", "ListBox", "", 3840, 240, 2175, 3960},
      {R::kLstBSP, "lstBSP", "ListBox", "", 120, 240, 2175, 4350},
      {R::kLblURL, "lblURL", "Static", nullptr, 120, 5280, 5895, 255},
      {R::kImage1, "Image1", "Static", "", 2640, 3120, 960, 960},
      {R::kLabel2, "Label2", "Static", "Map Cycle File", 3840, 0, 2175, 255},
      {R::kLabel1, "Label1", "Static", "All Half Life Maps", 120, 0, 2175, 255},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(editor().control(row.id), nullptr);
    EXPECT_EQ(ClassOf(row.id), row.className);
    if (row.caption) {
      EXPECT_EQ(editor().Text(row.id), row.caption);
    }
    RECT rect = RectOf(row.id);
    EXPECT_EQ(rect.left, row.left / 15);
    EXPECT_EQ(rect.top, row.top / 15);
    EXPECT_EQ(rect.right - rect.left, row.width / 15);
    EXPECT_EQ(rect.bottom - rect.top, row.height / 15);
    EXPECT_TRUE(StyleOf(row.id) & WS_VISIBLE);
    EXPECT_TRUE(IsWindowEnabled(editor().control(row.id)));
  }
  EXPECT_EQ(editor().Text(R::kLblURL).rfind("http://", 0), 0u) << editor().Text(R::kLblURL);
}

TEST_F(EditorWindowTest, FontsFollowTheTable) {
  struct Row {
    int id;
    const char* face;
    int height;  // pixels at 96 DPI
    int weight;
    bool underline;
    BYTE charset;
  };
  const Row rows[] = {
      {R::kCmdClose, "MS Sans Serif", -11, FW_NORMAL, false, ANSI_CHARSET},
      {R::kCmdUP, "MS Sans Serif", -11, FW_BOLD, false, ANSI_CHARSET},
      {R::kCmdDown, "MS Sans Serif", -11, FW_BOLD, false, ANSI_CHARSET},
      {R::kCmdMove, "Marlett", -24, FW_MEDIUM, false, SYMBOL_CHARSET},
      {R::kCmdRemove, "Marlett", -24, FW_MEDIUM, false, SYMBOL_CHARSET},
      {R::kLstBSP, "MS Sans Serif", -11, FW_NORMAL, false, ANSI_CHARSET},
      {R::kLstMap, "MS Sans Serif", -11, FW_NORMAL, false, ANSI_CHARSET},
      {R::kLblURL, "MS Sans Serif", -11, FW_NORMAL, true, ANSI_CHARSET},
      {R::kLabel1, "MS Sans Serif", -11, FW_NORMAL, false, ANSI_CHARSET},
      {R::kLabel2, "MS Sans Serif", -11, FW_NORMAL, false, ANSI_CHARSET},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    LOGFONTA font = FontOf(row.id);
    EXPECT_STREQ(font.lfFaceName, row.face);
    EXPECT_EQ(font.lfHeight, row.height);
    EXPECT_EQ(font.lfWeight, row.weight);
    EXPECT_EQ(font.lfUnderline != 0, row.underline);
    EXPECT_FALSE(font.lfItalic);
    EXPECT_EQ(font.lfCharSet, row.charset);
  }
}

TEST_F(EditorWindowTest, ListsAreSortedOrNotAndBothExtendedSelection) {
  const LONG bsp = StyleOf(R::kLstBSP), map = StyleOf(R::kLstMap);
  EXPECT_TRUE(bsp & LBS_SORT);
  EXPECT_FALSE(map & LBS_SORT);
  for (LONG style : {bsp, map}) {
    EXPECT_TRUE(style & LBS_EXTENDEDSEL);
    EXPECT_FALSE(style & LBS_MULTIPLESEL);
  }
  EXPECT_TRUE(GetWindowLongA(editor().control(R::kLstBSP), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  // Added entries take their place ignoring case in lstBSP, the end in lstMap.
  for (const char* name : {"de_nuke", "CS_ITALY", "de_Aztec", "as_oilrig"}) {
    editor().lstBSP().Add(name);
    editor().lstMap().Add(name);
  }
  EXPECT_EQ(editor().lstBSP().Texts(),
            (std::vector<std::string>{"as_oilrig", "CS_ITALY", "de_Aztec", "de_nuke"}));
  EXPECT_EQ(editor().lstMap().Texts(),
            (std::vector<std::string>{"de_nuke", "CS_ITALY", "de_Aztec", "as_oilrig"}));

  // The scroll bar shows once the entries do not fit.
  EXPECT_FALSE(StyleOf(R::kLstBSP) & WS_VSCROLL);
  EXPECT_FALSE(StyleOf(R::kLstMap) & WS_VSCROLL);
  editor().lstBSP().Refill(std::vector<std::string>(100, "de_dust"));
  editor().lstMap().Refill(std::vector<std::string>(100, "de_dust"));
  EXPECT_TRUE(StyleOf(R::kLstBSP) & WS_VSCROLL);
  EXPECT_TRUE(StyleOf(R::kLstMap) & WS_VSCROLL);
}

TEST_F(EditorWindowTest, FixedDialogFrameWithoutTaskbarButton) {
  HWND window = editor().window();
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "Half-Life Rotamund - v2.0");
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
  // An owned window gets no taskbar button; its owner is never shown.
  HWND owner = GetWindow(window, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));
  // Loading does not show it: the lists are filled first.
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(EditorWindowTest, BackgroundIsTheJpegDrawnUnscaledFromTheCorner) {
  platform::Picture background = platform::LoadJpegResource(IDR_EDITOR_BACKGROUND);
  ASSERT_TRUE(background);
  EXPECT_EQ(background.width, 412);
  EXPECT_EQ(background.height, 382);
  Canvas expected(background.width, background.height);
  platform::DrawPicture(expected.dc(), background, RECT{0, 0, 412, 382});

  Canvas window(409, 379);
  SendMessageA(editor().window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(window.dc()), 0);
  for (POINT at : {POINT{0, 0}, POINT{408, 0}, POINT{0, 378}, POINT{408, 378}, POINT{204, 190},
                   POINT{37, 301}}) {
    EXPECT_EQ(window.At(at.x, at.y), expected.At(at.x, at.y)) << at.x << "," << at.y;
  }
}

TEST_F(EditorWindowTest, PictureButtonsAndImage1ShowTheirPictures) {
  for (int id : {R::kCmdUP, R::kCmdDown}) {
    SCOPED_TRACE(id);
    const LONG style = StyleOf(id);
    EXPECT_TRUE(style & BS_BITMAP);
    // No alignment flag: the picture is centred on the face.
    EXPECT_EQ(style & (BS_LEFT | BS_RIGHT | BS_TOP | BS_BOTTOM), 0);
    auto image =
        reinterpret_cast<HBITMAP>(SendMessageA(editor().control(id), BM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bitmap{};
    ASSERT_EQ(GetObjectA(image, sizeof bitmap, &bitmap), static_cast<int>(sizeof bitmap));
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(std::abs(bitmap.bmHeight), 31);
  }
  platform::Picture about = platform::LoadBitmapResource(IDB_ABOUT);
  ASSERT_TRUE(about);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(about.bitmap.get(), sizeof section, &section),
            static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmWidth, 64);
  EXPECT_EQ(std::abs(section.dsBm.bmHeight), 64);
  EXPECT_EQ(section.dsBmih.biBitCount, 24);
}

TEST_F(EditorWindowTest, ArrowButtonsShowTrianglesInTheSymbolFont) {
  ASSERT_TRUE(platform::IsFontInstalled("Marlett")) << "the test prefix installs Marlett";
  for (auto [id, pointing] : {std::pair{R::kCmdMove, "right"}, std::pair{R::kCmdRemove, "left"}}) {
    SCOPED_TRACE(pointing);
    EXPECT_FALSE(StyleOf(id) & BS_BITMAP) << "the glyph comes from the font";
    auto face = Render(editor().control(id));
    EXPECT_EQ(TrianglePointing(*face, Inside(*face, 4)), pointing);
  }
}

// A form built from the editor's own table, with the symbol font swapped for
// one that does not exist, as on a system without Marlett.
class EditorWithoutSymbolFont : public platform::Form {
 public:
  EditorWithoutSymbolFont() : platform::Form(layout_) {
    const platform::FormSpec& original = cycle_editor::FrmRotamundLayout();
    controls_.assign(original.controls.begin(), original.controls.end());
    for (platform::ControlSpec& control : controls_) {
      if (control.kind == platform::ControlKind::kSymbolButton) control.font.face = "NoSuchFont";
    }
    layout_ = original;
    layout_.className = "EditorWithoutSymbolFont";
    layout_.controls = controls_;
  }
  // The window goes while the table it was built from still exists.
  ~EditorWithoutSymbolFont() override { DestroyWindow(window()); }

 protected:
  void OnControlEvent(int, platform::ControlEvent) override {}
  void OnCloseBox() override {}

 private:
  platform::FormSpec layout_{};
  std::vector<platform::ControlSpec> controls_;
};

TEST(EditorArrowFallbackTest, WithoutTheSymbolFontTheButtonsDrawTriangleBitmaps) {
  ASSERT_FALSE(platform::IsFontInstalled("NoSuchFont"));
  EditorWithoutSymbolFont form;
  ASSERT_TRUE(form.Create());
  for (auto [id, pointing] : {std::pair{R::kCmdMove, "right"}, std::pair{R::kCmdRemove, "left"}}) {
    SCOPED_TRACE(pointing);
    HWND button = form.control(id);
    EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & BS_BITMAP);
    auto glyph = reinterpret_cast<HBITMAP>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(glyph, nullptr);
    BITMAP size{};
    GetObjectA(glyph, sizeof size, &size);
    Canvas bitmap(size.bmWidth, size.bmHeight);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(source, glyph);
    BitBlt(bitmap.dc(), 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    EXPECT_EQ(TrianglePointing(bitmap, Inside(bitmap, 0)), pointing);
    // And the button face shows it.
    auto face = Render(button);
    EXPECT_EQ(TrianglePointing(*face, Inside(*face, 4)), pointing);
  }
}

TEST_F(EditorWindowTest, LabelsAreYellowCentredAndTransparentAndRepaintCleanly) {
  program_.Show(FormId::kRotamund);
  platform::Picture background = platform::LoadJpegResource(IDR_EDITOR_BACKGROUND);
  Canvas expected(background.width, background.height);
  platform::DrawPicture(expected.dc(), background, RECT{0, 0, 412, 382});

  for (int id : {R::kLabel1, R::kLabel2, R::kLblURL}) {
    SCOPED_TRACE(id);
    HWND label = editor().control(id);
    EXPECT_FALSE(StyleOf(id) & WS_TABSTOP);
    // A long caption replaced by a short one must leave nothing behind.
    editor().SetText(id, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    UpdateWindow(editor().window());
    editor().SetText(id, "iii");
    UpdateWindow(editor().window());

    RECT box = RectOf(id);
    HDC screen = GetDC(label);
    int yellow = 0, left = INT_MAX, right = -1, wrong = 0;
    for (int y = 0; y < box.bottom - box.top; ++y) {
      for (int x = 0; x < box.right - box.left; ++x) {
        COLORREF seen = GetPixel(screen, x, y);
        if (seen == RGB(255, 255, 0)) {
          ++yellow;
          left = std::min(left, x);
          right = std::max(right, x);
        } else if (seen != expected.At(box.left + x, box.top + y)) {
          ++wrong;
        }
      }
    }
    ReleaseDC(label, screen);
    EXPECT_EQ(wrong, 0) << "pixels neither text nor background";
    ASSERT_GT(yellow, 0);
    EXPECT_LT(right - left, 20) << "the old caption is still there";
    const int centre = (box.right - box.left) / 2;
    EXPECT_LE(std::abs((left + right) / 2 - centre), 2);
  }
}

TEST_F(EditorWindowTest, FocusStartsInLstBspAndTabFollowsTheTabIndexes) {
  program_.Show(FormId::kRotamund);
  HWND window = editor().window();
  EXPECT_EQ(GetFocus(), editor().control(R::kLstBSP));
  const int order[] = {R::kLstMap,    R::kCmdMove, R::kCmdRemove, R::kCmdUP, R::kCmdDown,
                       R::kCmdRandom, R::kCmdSave, R::kCmdClose,  R::kLstBSP};
  HWND at = editor().control(R::kLstBSP);
  for (int id : order) {
    at = GetNextDlgTabItem(window, at, FALSE);
    EXPECT_EQ(GetDlgCtrlID(at), id);
  }
}

TEST_F(EditorWindowTest, EnterAndEscPressNothing) {
  program_.Show(FormId::kRotamund);
  for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    MSG message{editor().control(R::kLstBSP), WM_KEYDOWN, key, 0, 0, {}};
    IsDialogMessageA(editor().window(), &message);
  }
  EXPECT_TRUE(program_.IsLoaded(FormId::kRotamund));
  EXPECT_TRUE(editor().IsVisible());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(EditorWindowTest, CloseBoxReturnsToTheChooser) {
  ASSERT_TRUE(tools::RegisterInstallPath(halfLife_.path()));
  program_.Show(FormId::kMods);
  ASSERT_TRUE(program_.IsLoaded(FormId::kMods));
  program_.Hide(FormId::kMods);
  program_.Show(FormId::kRotamund);
  SendMessageA(editor().window(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(program_.IsLoaded(FormId::kRotamund));
  EXPECT_TRUE(program_.frmMODS().IsVisible());
  EXPECT_FALSE(program_.ended());
  program_.ReleaseUnloaded();
}

}  // namespace
