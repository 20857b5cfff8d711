// The three windows in-process as built and drawn at 96 DPI (keys and flows: the e2e tests).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/about.h"
#include "app/launcher.h"
#include "fakes.h"
#include "layout_check.h"
#include "support/demo_game.h"
#include "support/registry.h"

namespace {

using namespace testing_support;
using F = mod_chooser::FrmMods;
using L = app::Launcher;
using R = cycle_editor::FrmRotamund;

class WindowsTest : public ProgramTest {
 protected:
  void SetUp() override { ASSERT_TRUE(tools::RegisterInstallPath("C:\\windows")); }  // any folder
  LONG StyleOf(int id) { return GetWindowLongA(editor().control(id), GWL_STYLE); }
};

TEST_F(WindowsTest, LayoutsAreTheTablesInTwipsOver15AndTheEditorsFrameIsFixedAndOwned) {
  const TwipsBox launcher[] = {
      {L::kExit, 3240, 2040, 615, 495}, {L::kCycle, 3240, 840, 615, 495},
      {L::kRam, 3000, 240, 855, 495},   {L::kCstrike, 2040, 1440, 1815, 495},
      {L::kRes, 120, 1440, 1815, 495},  {L::kSwa, 2040, 840, 855, 495},
      {L::kRed, 1080, 840, 855, 495},   {L::kRea, 120, 840, 855, 495},
      {L::kNnb, 2040, 240, 855, 495},   {L::kAnd, 120, 240, 855, 495},
      {L::kBob, 1080, 240, 855, 495},   {L::kActivate, 120, 2400, 3135, 495},
      {L::kWeb, 120, 2040, 3135, 375},  {L::kImage1, 4200, 120, 2895, 2610}};
  ExpectLayout(program_.launcher().window(), 487, 194, launcher);
  const TwipsBox mods[] = {{F::kCmdEdit, 4320, 3720, 1215, 495},
                           {F::kCmdClose, 4320, 4560, 1215, 375},
                           {F::kLstModList, 240, 360, 3255, 5160},
                           {F::kImage1, 4440, 2400, 960, 960},
                           {F::kLabel1, 360, 120, 3015, 255}};
  ExpectLayout(chooser().window(), 407, 377, mods);
  HWND form = editor().window();
  EXPECT_FALSE(GetWindowLongA(form, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_NE(GetWindow(form, GW_OWNER), nullptr) << "owned: no taskbar button";
  EXPECT_EQ(StyleOf(R::kLstBSP) & (LBS_SORT | LBS_EXTENDEDSEL), LBS_SORT | LBS_EXTENDEDSEL);
  EXPECT_EQ(StyleOf(R::kLstMap) & (LBS_SORT | LBS_EXTENDEDSEL), LBS_EXTENDEDSEL);
  const TwipsBox editorBoxes[] = {
      {R::kCmdClose, 4800, 4800, 1215, 375},  {R::kCmdSave, 3240, 4800, 1455, 375},
      {R::kCmdRandom, 4200, 4320, 1335, 375}, {R::kCmdDown, 3360, 1080, 495, 495},
      {R::kCmdUP, 3360, 600, 495, 495},       {R::kCmdRemove, 3360, 2160, 495, 495},
      {R::kCmdMove, 2280, 2160, 495, 495},    {R::kLstMap, 3840, 240, 2175, 3960},
      {R::kLstBSP, 120, 240, 2175, 4350},     {R::kLblURL, 120, 5280, 5895, 255},
      {R::kImage1, 2640, 3120, 960, 960},     {R::kLabel2, 3840, 0, 2175, 255},
      {R::kLabel1, 120, 0, 2175, 255}};
  ExpectLayout(form, 409, 379, editorBoxes);
}

TEST_F(WindowsTest, PicturesShowTheSharedAboutTextPlainAndUntitled) {
  chooser().Image1_Click();
  editor().Image1_Click();
  ASSERT_EQ(messages_.shown.size(), 2u);
  for (const auto& [text, title, style] : messages_.shown) {
    EXPECT_EQ(std::tie(text, title, style),
              std::tuple(app::kAboutText, std::nullopt, platform::MessageStyle::kPlain));
  }
}

TEST_F(WindowsTest, OverlayLabelShowsNothingOfTheLongerCaptionItReplaced) {
  program_.Show(app::FormId::kRotamund);
  for (const char* caption : {"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", "iii"}) {
    editor().SetText(R::kLabel1, caption);
    RedrawWindow(editor().window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  HDC label = GetDC(editor().control(R::kLabel1));
  int centre = 0, stray = 0;  // yellow pixels; Label1 is 145 x 17, "iii" centred within
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 145; ++x)
      (std::abs(x - 72) <= 10 ? centre : stray) += GetPixel(label, x, y) == RGB(255, 255, 0);
  ReleaseDC(editor().control(R::kLabel1), label);
  EXPECT_GT(centre, 0);
  EXPECT_EQ(stray, 0) << "the longer caption is still partly there";
}

TEST_F(WindowsTest, ArrowButtonsShowMarlettOrDrawnTriangles) {
  struct NoMarlett : platform::Form {
    using Form::Form;
    void OnControlEvent(int, platform::ControlEvent) override {}
    void OnCloseBox() override {}
  };
  platform::FormSpec layout = cycle_editor::FrmRotamundLayout();
  std::vector<platform::ControlSpec> controls(layout.controls.begin(), layout.controls.end());
  for (platform::ControlSpec& control : controls) control.font.face = "NoSuchFont";
  layout.controls = controls;
  NoMarlett fallback(layout);
  ASSERT_TRUE(fallback.Create());

  for (auto [id, marlett] : {std::pair{R::kCmdMove, "4"}, std::pair{R::kCmdRemove, "3"}}) {
    EXPECT_EQ(editor().Text(id), marlett);
    EXPECT_FALSE(StyleOf(id) & BS_BITMAP) << "the test prefix has Marlett";
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(editor().control(id), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Marlett");

    HDC dc = CreateCompatibleDC(nullptr);
    auto glyph = SendMessageA(fallback.control(id), BM_GETIMAGE, IMAGE_BITMAP, 0);
    ASSERT_TRUE(SelectObject(dc, reinterpret_cast<HGDIOBJ>(glyph)));
    std::vector<int> dark(33);  // dark pixels per column, left to right; buttons are 33 wide
    for (int x = 0; x < 33; ++x)
      for (int y = 0; y < 33; ++y) dark[x] += GetRValue(GetPixel(dc, x, y)) < 100;
    DeleteDC(dc);
    std::erase(dark, 0);
    if (*marlett == '3') std::reverse(dark.begin(), dark.end());  // base first, tip last
    ASSERT_FALSE(dark.empty());
    EXPECT_GT(dark.front(), 3 * dark.back()) << "not a triangle pointing its way: " << marlett;
  }
}

}  // namespace
