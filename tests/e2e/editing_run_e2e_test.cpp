// A whole editing run driven from outside: start, Map Cycle, pick a modification, focus and keys,
// randomize its rotation, save, close, exit, back at the main window. (Each edit's rules, with the
// buttons' presses: the in-process editor tests.)
#include <gtest/gtest.h>
#include <windows.h>

#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using namespace tools;
using R = cycle_editor::FrmRotamund;
using Names = std::vector<std::string>;

class EditingRunE2E : public LauncherE2ETest {};

TEST_F(EditingRunE2E, TypicalRunFromStartToSavedFileAndBack) {
  Driver& app = *app_;
  HWND chooser = nullptr, editor = OpenEditor(app, main_, "valve", &chooser);
  ASSERT_NE(editor, nullptr);
  HWND maps = GetDlgItem(editor, R::kLstBSP), rotation = GetDlgItem(editor, R::kLstMap);
  EXPECT_EQ(ListItems(rotation), (Names{"crossfire", "datacore", "stalkyard"}));
  EXPECT_EQ(ListItems(maps),
            (Names{"bounce", "frenzy", "gasworks", "snark_pit", "subtransit", "undertow"}));
  EXPECT_EQ(WindowText(GetDlgItem(editor, R::kLabel1)), "All Half Life Maps (6 maps)");
  EXPECT_EQ(WindowText(GetDlgItem(editor, R::kLabel2)), "Map Cycle File (3 maps)");

  // Focus starts in the map list and Tab follows the tab order; Esc is nobody's key.
  ExpectTabCycle(editor, {R::kLstBSP, R::kLstMap, R::kCmdMove, R::kCmdRemove, R::kCmdUP,
                          R::kCmdDown, R::kCmdRandom, R::kCmdSave, R::kCmdClose, R::kLstBSP});
  auto focusOn = [&](int id) {
    return WaitUntil([&] { return FocusedControl(editor) == GetDlgItem(editor, id); });
  };
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(Driver::WaitIdle(editor));
  EXPECT_TRUE(IsWindowVisible(editor) && focusOn(R::kLstMap));

  // Alt+R randomizes: the first map goes to the middle. Alt+S saves, Alt+C closes.
  PressKey('R', true);
  EXPECT_TRUE(focusOn(R::kCmdRandom));
  ASSERT_TRUE(WaitUntil([&] { return ListItems(rotation).at(1) == "crossfire"; }));
  const Names shuffled = ListItems(rotation);
  ASSERT_EQ(shuffled.size(), 3u);
  PressKey('S', true);
  auto saved = app.WaitForMessageBox();
  ASSERT_TRUE(saved);
  EXPECT_EQ((std::tuple{saved->title, saved->text, saved->hasIcon}),
            (std::tuple{"Saved", "Map Saved", false}));
  ASSERT_TRUE(app.Dismiss(*saved));
  std::string lines;
  for (const std::string& line : shuffled) lines += line + "\r\n";
  EXPECT_EQ(FileBytes("C:\\SIERRA\\Half-Life\\valve\\mapcycle.txt"), lines);

  // The chooser comes back as it was; its Exit leads back to the main window, whose close box
  // ends the program.
  PressKey('C', true);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(chooser) && !IsWindowVisible(editor); }));
  HWND mods = FindList(chooser, 0);
  EXPECT_EQ(SelectedIndexes(mods), (std::vector<int>{IndexOf(mods, "valve")}));
  Press(FindChild(chooser, "E&xit"));
  ASSERT_NE(main_ = app.WaitForWindow(kLauncherTitle), nullptr);
  EXPECT_TRUE(app.WaitForWindowGone(kRotamundTitle));
  PostMessageA(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.WaitForExit());
}

}  // namespace
