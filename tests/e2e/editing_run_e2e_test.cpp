// A whole editing run driven from outside: start, Map Cycle, pick a
// modification, edit its rotation, save, close, exit, back at the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"
#include "support/file_tree.h"

namespace {

using namespace testing_support;
using cycle_editor::FrmRotamund;
using tools::Driver;

constexpr char kValveCycle[] = "C:\\SIERRA\\Half-Life\\valve\\mapcycle.txt";

int IndexOf(HWND list, const std::string& text) {
  auto items = tools::ListItems(list);
  auto found = std::find(items.begin(), items.end(), text);
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST(EditingRunE2E, TypicalRunFromStartToSavedFileAndBack) {
  ResetDemoGame();
  HWND main = nullptr;
  Driver app = StartLauncher(main);
  ASSERT_NE(main, nullptr);

  tools::Press(tools::FindChild(main, "Map Cycle"));
  HWND chooser = app.WaitForWindow(kRotamundTitle);
  ASSERT_NE(chooser, nullptr);
  HWND mods = tools::FindList(chooser, 0);
  ASSERT_TRUE(tools::WaitUntil([&] { return IndexOf(mods, "valve") >= 0; }));
  tools::SelectListItem(mods, IndexOf(mods, "valve"));
  tools::Press(tools::FindChild(chooser, "&Edit"));

  ASSERT_TRUE(tools::WaitUntil([&] { return !IsWindowVisible(chooser); }));
  HWND editor = app.WaitForWindow(kRotamundTitle);
  ASSERT_NE(editor, nullptr);
  HWND maps = GetDlgItem(editor, FrmRotamund::kLstBSP);
  HWND rotation = GetDlgItem(editor, FrmRotamund::kLstMap);
  auto button = [&](int id) { return GetDlgItem(editor, id); };
  auto press = [&](int id) {
    tools::Press(button(id));
    ASSERT_TRUE(Driver::WaitIdle(editor));
  };

  EXPECT_EQ(tools::ListItems(rotation),
            (std::vector<std::string>{"crossfire", "datacore", "stalkyard"}));
  EXPECT_EQ(tools::ListItems(maps),
            (std::vector<std::string>{"bounce", "frenzy", "gasworks", "snark_pit", "subtransit",
                                      "undertow"}));

  // Two maps into the rotation: they go to its top in their sorted order.
  tools::SelectListItem(maps, IndexOf(maps, "frenzy"));
  tools::SelectListItem(maps, IndexOf(maps, "undertow"), true);
  press(FrmRotamund::kCmdMove);
  EXPECT_EQ(tools::ListItems(rotation),
            (std::vector<std::string>{"frenzy", "undertow", "crossfire", "datacore", "stalkyard"}));

  // One out again: back at its sorted place.
  tools::SelectListItem(rotation, IndexOf(rotation, "datacore"));
  press(FrmRotamund::kCmdRemove);
  EXPECT_EQ(IndexOf(maps, "datacore"), 1);

  // Down, then up twice.
  tools::SelectListItem(rotation, IndexOf(rotation, "frenzy"));
  press(FrmRotamund::kCmdDown);
  EXPECT_EQ(tools::ListItems(rotation),
            (std::vector<std::string>{"undertow", "frenzy", "crossfire", "stalkyard"}));
  tools::SelectListItem(rotation, IndexOf(rotation, "stalkyard"));
  press(FrmRotamund::kCmdUP);
  press(FrmRotamund::kCmdUP);
  EXPECT_EQ(tools::ListItems(rotation),
            (std::vector<std::string>{"undertow", "stalkyard", "frenzy", "crossfire"}));

  // Randomize: the first map goes to the middle, the rest are shuffled.
  press(FrmRotamund::kCmdRandom);
  std::vector<std::string> shuffled = tools::ListItems(rotation);
  ASSERT_EQ(shuffled.size(), 4u);
  EXPECT_EQ(shuffled[2], "undertow");
  EXPECT_TRUE(tools::SelectedIndexes(rotation).empty());

  tools::Press(button(FrmRotamund::kCmdSave));
  auto saved = app.WaitForMessageBox();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->title, "Saved");
  EXPECT_EQ(saved->text, "Map Saved");
  EXPECT_FALSE(saved->hasIcon);
  ASSERT_TRUE(app.Dismiss(*saved));
  std::string bytes;
  ASSERT_TRUE(tools::ReadTextFile(kValveCycle, bytes));
  EXPECT_EQ(bytes, Joined(shuffled));

  // Close: the chooser comes back as it was; Exit: the main window is back.
  tools::Press(button(FrmRotamund::kCmdClose));
  ASSERT_TRUE(tools::WaitUntil([&] { return IsWindowVisible(chooser) != FALSE; }));
  EXPECT_EQ(tools::SelectedIndexes(mods), (std::vector<int>{IndexOf(mods, "valve")}));
  tools::Press(tools::FindChild(chooser, "E&xit"));
  EXPECT_NE(app.WaitForWindow(kLauncherTitle), nullptr);
  EXPECT_TRUE(app.WaitForWindowGone(kRotamundTitle));
  EXPECT_TRUE(app.IsRunning());
}

}  // namespace
