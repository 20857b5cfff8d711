// The map-cycle editor from outside: the demo's Counter-Strike lists, then focus and keys.
#include <gtest/gtest.h>
#include <windows.h>

#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"

namespace {

using namespace testing_support;
using namespace tools;
using R = cycle_editor::FrmRotamund;
using Names = std::vector<std::string>;

TEST(EditorE2E, CounterStrikeOpensWithItsListsThenFocusTabAndAccessKeys) {
  ResetDemoGame();
  HWND main = nullptr;
  Driver app = StartLauncher(main);
  Press(FindChild(main, "Map Cycle"));
  HWND chooser = app.WaitForWindow(kRotamundTitle), mods = FindList(chooser, 0);
  ASSERT_TRUE(WaitUntil([&] { return !ListItems(mods).empty(); }));
  SelectListItem(mods, 0);  // cstrike
  Press(FindChild(chooser, "&Edit"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(chooser); }));
  HWND editor = app.WaitForWindow(kRotamundTitle);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ListItems(GetDlgItem(editor, R::kLstBSP)),
            (Names{"as_oilrig", "cs_assault", "cs_backalley", "cs_docks", "cs_estate", "cs_militia",
                   "cs_office", "de_cbble", "de_dust2", "de_inferno", "de_prodigy", "de_vertigo"}));
  EXPECT_EQ(ListItems(GetDlgItem(editor, R::kLstMap)),
            (Names{"de_aztec", "de_nuke", "cs_747", "cs_italy", "de_dust", "de_train"}));
  EXPECT_EQ(WindowText(GetDlgItem(editor, R::kLabel1)), "All Half Life Maps (12 maps)");
  EXPECT_EQ(WindowText(GetDlgItem(editor, R::kLabel2)), "Map Cycle File (6 maps)");

  auto focusOn = [&](int id) {
    return WaitUntil([&] { return FocusedControl(editor) == GetDlgItem(editor, id); });
  };
  SetForegroundWindow(editor);
  for (int id : {R::kLstBSP, R::kLstMap, R::kCmdMove, R::kCmdRemove, R::kCmdUP, R::kCmdDown,
                 R::kCmdRandom, R::kCmdSave, R::kCmdClose, R::kLstBSP}) {
    ASSERT_TRUE(focusOn(id)) << "expected the focus on " << id;
    PressKey(VK_TAB);
  }
  PressKey(VK_ESCAPE);  // nobody's key: the editor stays, the focus too
  ASSERT_TRUE(Driver::WaitIdle(editor));
  EXPECT_TRUE(IsWindowVisible(editor) && focusOn(R::kLstMap));
  PressKey('R', true);
  EXPECT_TRUE(focusOn(R::kCmdRandom));
  PressKey('S', true);
  auto saved = app.WaitForMessageBox();
  ASSERT_TRUE(saved && saved->text == "Map Saved" && app.Dismiss(*saved)) << "no Map Saved box";
  PressKey('C', true);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(chooser) && !IsWindowVisible(editor); }));
}

}  // namespace
