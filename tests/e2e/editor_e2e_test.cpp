// The map-cycle editor reached the way a user reaches it: main window, "Map
// Cycle", the chooser, a modification, "Edit". Lists, captions, keyboard and
// the ways back to the chooser.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "cycle_editor/cycle_file.h"
#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"
#include "mod_chooser/frm_mods.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace {

using namespace testing_support;
using tools::Driver;
using R = cycle_editor::FrmRotamund;
using Names = std::vector<std::string>;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The chooser and the editor share their title; their classes tell them apart.
HWND VisibleWindowOfClass(DWORD processId, const std::string& className) {
  struct Search {
    DWORD processId;
    std::string className;
    HWND found = nullptr;
  } search{processId, className};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* search = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
        if (ClassOf(window) != search->className) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class EditorE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDemoGame();
    ASSERT_TRUE(tools::MakeFolders(std::string(tools::kDemoHalfLifeFolder) + "\\nomaps\\maps"));
    ASSERT_TRUE(tools::WriteTextFile(
        std::string(tools::kDemoHalfLifeFolder) + "\\nomaps\\mapcycle.txt", "de_dust\r\n"));
    app_.emplace(StartLauncher(main_));
    ASSERT_NE(main_, nullptr);
    tools::Press(tools::FindChild(main_, "Map Cycle"));
    ASSERT_TRUE(tools::WaitUntil([&] { return (chooser_ = Chooser()) != nullptr; }));
    mods_ = tools::FindList(chooser_, 0);
    ASSERT_TRUE(tools::WaitUntil([&] { return !tools::ListItems(mods_).empty(); }));
  }

  HWND Chooser() { return VisibleWindowOfClass(app_->processId(), "RotamundChooser"); }
  HWND Editor() { return VisibleWindowOfClass(app_->processId(), "RotamundEditor"); }
  void Choose(const std::string& mod) {
    Names mods = tools::ListItems(mods_);
    auto at = std::find(mods.begin(), mods.end(), mod);
    ASSERT_NE(at, mods.end()) << mod << " is not offered";
    tools::SelectListItem(mods_, static_cast<int>(at - mods.begin()));
  }
  // Chooses `mod`, presses "Edit" and waits for the editor in place of the chooser.
  HWND OpenEditor(const std::string& mod) {
    Choose(mod);
    tools::Press(tools::FindChild(chooser_, "&Edit"));
    HWND editor = nullptr;
    EXPECT_TRUE(tools::WaitUntil([&] { return (editor = Editor()) != nullptr; }));
    EXPECT_TRUE(tools::WaitUntil([&] { return Chooser() == nullptr; }));
    return editor;
  }
  bool BackInTheChooser(const std::string& selected) {
    return tools::WaitUntil([&] { return Editor() == nullptr && Chooser() == chooser_; }) &&
           tools::SelectedIndexes(mods_).size() == 1 &&
           tools::ListItems(mods_)[static_cast<size_t>(tools::SelectedIndexes(mods_)[0])] ==
               selected;
  }

  HWND main_ = nullptr, chooser_ = nullptr, mods_ = nullptr;
  std::optional<Driver> app_;
};

TEST_F(EditorE2E, EditOpensCounterStrikeWithItsMapsAndRotation) {
  HWND editor = OpenEditor("cstrike");
  ASSERT_NE(editor, nullptr);
  Names rotation = cycle::ParseCycle(tools::DemoFileContent("mapcycle.old.txt"));
  Names maps;
  for (const std::string& map : tools::DemoCounterStrikeMaps()) {
    if (std::find(rotation.begin(), rotation.end(), map) == rotation.end()) maps.push_back(map);
  }
  std::sort(maps.begin(), maps.end());
  EXPECT_EQ(tools::ListItems(GetDlgItem(editor, R::kLstBSP)), maps);
  EXPECT_EQ(tools::ListItems(GetDlgItem(editor, R::kLstMap)), rotation);
  EXPECT_EQ(tools::WindowText(GetDlgItem(editor, R::kLabel1)),
            "All Half Life Maps (" + std::to_string(maps.size()) + " maps)");
  EXPECT_EQ(tools::WindowText(GetDlgItem(editor, R::kLabel2)), "Map Cycle File (6 maps)");
  EXPECT_EQ(tools::WindowText(editor), kRotamundTitle);
  RECT client;
  GetClientRect(editor, &client);
  EXPECT_EQ(client.right, 409);
  EXPECT_EQ(client.bottom, 379);
}

TEST_F(EditorE2E, FocusTabAndAccessKeys) {
  HWND editor = OpenEditor("cstrike");
  ASSERT_NE(editor, nullptr);
  SetForegroundWindow(editor);
  const int order[] = {R::kLstBSP,  R::kLstMap,    R::kCmdMove, R::kCmdRemove, R::kCmdUP,
                       R::kCmdDown, R::kCmdRandom, R::kCmdSave, R::kCmdClose,  R::kLstBSP};
  for (int id : order) {
    ASSERT_TRUE(tools::WaitUntil([&] {
      return tools::FocusedControl(editor) == GetDlgItem(editor, id);
    })) << "expected the focus on control "
        << id << ", found " << GetDlgCtrlID(tools::FocusedControl(editor));
    tools::PressKey(VK_TAB);
  }
  // Esc is nobody's key here.
  tools::PressKey(VK_ESCAPE);
  ASSERT_TRUE(Driver::WaitIdle(editor));
  EXPECT_EQ(Editor(), editor);
  EXPECT_EQ(tools::FocusedControl(editor), GetDlgItem(editor, R::kLstMap));

  // Alt+R shuffles in place: the focus goes to its button, the editor stays.
  tools::PressKey('R', true);
  EXPECT_TRUE(tools::WaitUntil(
      [&] { return tools::FocusedControl(editor) == GetDlgItem(editor, R::kCmdRandom); }));
  ASSERT_TRUE(Driver::WaitIdle(editor));
  EXPECT_EQ(Editor(), editor);

  // Alt+C leaves for the chooser, as it was.
  tools::PressKey('C', true);
  EXPECT_TRUE(BackInTheChooser("cstrike"));
}

TEST_F(EditorE2E, AltSPressesSave) {
  HWND editor = OpenEditor("valve");
  ASSERT_NE(editor, nullptr);
  SetForegroundWindow(editor);
  ASSERT_TRUE(tools::WaitUntil(
      [&] { return tools::FocusedControl(editor) == GetDlgItem(editor, R::kLstBSP); }));
  tools::PressKey('S', true);
  auto box = app_->WaitForMessageBox();
  ASSERT_TRUE(box) << "saving confirms with a message";
  EXPECT_EQ(box->text, "Map Saved");
  ASSERT_TRUE(app_->Dismiss(*box));
  EXPECT_EQ(Editor(), editor);
}

TEST_F(EditorE2E, CloseBoxAndDoubleClickComeAndGo) {
  HWND editor = OpenEditor("valve");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(tools::ListItems(GetDlgItem(editor, R::kLstMap)),
            (Names{"crossfire", "datacore", "stalkyard"}));
  PostMessageA(editor, WM_CLOSE, 0, 0);
  ASSERT_TRUE(BackInTheChooser("valve"));
  EXPECT_TRUE(app_->IsRunning());

  Names mods = tools::ListItems(mods_);
  int cstrike = static_cast<int>(std::find(mods.begin(), mods.end(), "cstrike") - mods.begin());
  tools::DoubleClickListItem(mods_, cstrike);
  ASSERT_TRUE(tools::WaitUntil([&] { return (editor = Editor()) != nullptr; }));
  EXPECT_EQ(tools::WindowText(GetDlgItem(editor, R::kLabel2)), "Map Cycle File (6 maps)");
}

TEST_F(EditorE2E, ModWithoutMapFilesStaysInTheChooserAndLeavesNothingBehind) {
  Choose("nomaps");
  tools::Press(tools::FindChild(chooser_, "&Edit"));
  auto box = app_->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "Cannot Continue");
  EXPECT_EQ(box->text, "No files present in: C:\\SIERRA\\Half-Life\\nomaps\\maps\\*.bsp");
  EXPECT_TRUE(box->hasIcon);
  ASSERT_TRUE(app_->Dismiss(*box));
  ASSERT_TRUE(Driver::WaitIdle(chooser_));
  EXPECT_EQ(Chooser(), chooser_);
  EXPECT_EQ(Editor(), nullptr);
  // No hidden editor keeps the program alive once the chooser is closed.
  PostMessageA(chooser_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app_->WaitForExit());
}

}  // namespace
