// The three windows in-process at 96 DPI: what their layout tables could break, the first focus,
// the pictures and the drawn captions (keys, flows and Tab order: the e2e tests).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "app/launcher.h"
#include "fakes.h"
#include "game_finder/game_search.h"
#include "mod_chooser/mod_discovery.h"
#include "platform/about_box.h"
#include "support/driver.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using R = cycle_editor::FrmRotamund;
constexpr app::FormId kForms[] = {app::FormId::kLauncher, app::FormId::kMods,
                                  app::FormId::kRotamund};

class WindowsTest : public ProgramTest {
 protected:
  void SetUp() override { ASSERT_TRUE(tools::RegisterInstallPath("C:\\windows")); }  // any folder
  LONG StyleOf(int id) { return GetWindowLongA(editor().control(id), GWL_STYLE); }
};

// Enter and Esc press the controls with the ids 1 and 2 (IDOK, IDCANCEL).
TEST_F(WindowsTest, EveryControlLiesInItsWindowAndNoneAnswersEnterOrEsc) {
  for (app::FormId id : kForms) {
    HWND form = program_.Loaded(id)->window();
    RECT client;
    GetClientRect(form, &client);
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      const RECT r = tools::ClientRectIn(c, form);
      EXPECT_GT(GetDlgCtrlID(c), IDCANCEL);
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                  r.bottom <= client.bottom && r.left < r.right && r.top < r.bottom)
          << tools::WindowText(c) << " of " << tools::WindowText(form);
    }
  }
  HWND form = editor().window();
  EXPECT_FALSE(GetWindowLongA(form, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_NE(GetWindow(form, GW_OWNER), nullptr) << "owned: no taskbar button";
  EXPECT_EQ(StyleOf(R::kLstBSP) & (LBS_SORT | LBS_EXTENDEDSEL), LBS_SORT | LBS_EXTENDEDSEL);
  EXPECT_EQ(StyleOf(R::kLstMap) & (LBS_SORT | LBS_EXTENDEDSEL), LBS_EXTENDEDSEL);
}

// A window destroyed from outside (with its owner, say) is let go, not destroyed again later
// under a handle that may by then be another window's.
TEST_F(WindowsTest, ControlsHaveTheirPointSizeAndADestroyedWindowIsLetGo) {
  for (const platform::ControlSpec& row : cycle_editor::FrmRotamundLayout().controls) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(editor().control(row.id), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -std::lround(row.font.points * 96 / 72)) << row.name;
  }
  BareForm form(cycle_editor::FrmRotamundLayout());
  ASSERT_TRUE(form.Create());
  DestroyWindow(form.window());
  EXPECT_EQ(form.window(), nullptr);
}

// A handler's failure (here a click's; a paint's alike) is not shown from inside the message that
// met it, where a paint would draw under the box and again: it is posted, once however many follow.
TEST_F(WindowsTest, AHandlersFailureIsToldAfterItsMessageOnce) {
  struct Throwing : BareForm {
    using BareForm::BareForm;
    void OnControlEvent(int, platform::ControlEvent) override { throw std::runtime_error("x"); }
  } form(cycle_editor::FrmRotamundLayout());
  ASSERT_TRUE(form.Create());
  const int id = cycle_editor::FrmRotamund::kCmdSave;
  for (int click = 0; click < 2; ++click) {
    SendMessageA(form.window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.control(id)));
  }
  MSG told{};
  EXPECT_TRUE(PeekMessageA(&told, form.window(), platform::kTellFailureMessage,
                           platform::kTellFailureMessage, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&told, form.window(), platform::kTellFailureMessage,
                            platform::kTellFailureMessage, PM_REMOVE));
}

// Watches a window's last message, after the form's own procedure has handled it.
struct LastMessage {
  WNDPROC formProcedure = nullptr;
  bool seen = false;
  bool stillAFormsWindow = false;
};
LastMessage* watched = nullptr;
LRESULT CALLBACK WatchLastMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(watched->formProcedure, window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    watched->seen = true;
    watched->stillAFormsWindow =
        platform::Form::IsFormWindow(window) || GetWindowLongPtrA(window, GWLP_USERDATA) != 0;
  }
  return result;
}

// Unloaded as a handler unloads it, a window stays until the handler has returned; then it is
// destroyed, and its last message takes away the form's property and pointer.
TEST_F(WindowsTest, AnUnloadedWindowIsDestroyedAfterTheHandlerAndLetGoByItsLastMessage) {
  program_.Show(app::FormId::kLauncher);  // stays loaded, so the program does not end
  for (app::FormId id : {app::FormId::kMods, app::FormId::kRotamund}) {
    HWND window = program_.Loaded(id)->window();
    LastMessage last;
    watched = &last;
    last.formProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchLastMessage)));
    program_.Unload(id);
    EXPECT_TRUE(IsWindow(window) && !IsWindowVisible(window));
    program_.ReleaseUnloaded();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(last.seen && !last.stillAFormsWindow);
  }
  watched = nullptr;
}

// The chooser closes itself while it loads when the registry holds an empty install folder and
// the game is nowhere: asking for it then gives no window, and the program goes on.
TEST_F(WindowsTest, AWindowThatUnloadsItselfWhileItLoadsIsNoWindow) {
  TempFolder machine;
  const std::string key = "Software" + machine.path().substr(machine.path().rfind('\\'));
  ASSERT_TRUE(tools::RegisterInstallPath("", tools::RegistryView::k32Bit, key + "\\"));
  const game_finder::SearchPlacesInUse places(
      {machine / "launcher.ini", machine.path(), machine / "SIERRA", key + "\\"});
  program_.Show(app::FormId::kLauncher);
  EXPECT_EQ(program_.Loaded(app::FormId::kMods), nullptr);
  EXPECT_EQ(program_.frmMODS(), nullptr);
  program_.Show(app::FormId::kMods);
  EXPECT_FALSE(program_.IsLoaded(app::FormId::kMods));
  EXPECT_EQ(messages_.shown.back().text, mod_chooser::kNotInstalledText);
  EXPECT_FALSE(program_.ended());
  for (const char* below :
       {"\\Software\\Valve\\Half-Life", "\\Software\\Valve", "\\Software", ""}) {
    tools::DeleteRegistryKey(HKEY_LOCAL_MACHINE, key + below, tools::RegistryView::k32Bit);
  }
}

// With the window's activation arriving after it was shown, as window managers deliver it
// (Wine's virtual desktop activates at once, so it is sent here).
TEST(FirstFocus, StaysOnTheFirstControlInTabOrderWhenActivationComesLate) {
  ASSERT_TRUE(tools::RegisterInstallPath("C:\\windows"));  // any folder, for the chooser
  const int firstIds[] = {app::Launcher::kBob, mod_chooser::FrmMods::kLstModList, R::kLstBSP};
  const std::pair<const char*, void (*)(HWND)> deliveries[] = {
      {"activation", [](HWND frame) { SendMessageA(frame, WM_ACTIVATE, WA_ACTIVE, 0); }},
      {"deactivation and activation",
       [](HWND frame) {
         SendMessageA(frame, WM_ACTIVATE, WA_INACTIVE, 0);
         SendMessageA(frame, WM_ACTIVATE, WA_CLICKACTIVE, 0);
       }},
      {"focus on the frame", [](HWND frame) { SetFocus(frame); }}};
  for (int i = 0; i < 3; ++i) {
    for (const auto& [late, deliver] : deliveries) {
      SCOPED_TRACE(std::to_string(i) + " after late " + late);
      RecordingMessageBoxes messages;
      ScriptedRandom random;
      app::Program program({messages, random});
      program.Show(kForms[i]);
      deliver(program.Loaded(kForms[i])->window());
      EXPECT_EQ(GetFocus(), program.Loaded(kForms[i])->control(firstIds[i]));
    }
  }
}
TEST_F(WindowsTest, PicturesShowTheSharedAboutTextPlainAndUntitled) {
  chooser().Image1_Click();
  editor().Image1_Click();
  ASSERT_EQ(messages_.shown.size(), 2u);
  for (const auto& [text, title, style] : messages_.shown) {
    EXPECT_EQ(std::tie(text, title, style),
              std::tuple(platform::kAboutText, std::nullopt, platform::MessageStyle::kPlain));
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
  platform::FormSpec layout = cycle_editor::FrmRotamundLayout();
  std::vector<platform::ControlSpec> controls(layout.controls.begin(), layout.controls.end());
  for (platform::ControlSpec& control : controls) control.font.face = "NoSuchFont";
  layout.controls = controls;
  BareForm fallback(layout);
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
