// Start-up, the mod chooser and the game launch, driven from outside (layout: chooser_window_test).
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher_app.h"
#include "mod_chooser/frm_mods.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"

namespace {

using namespace testing_support;

const std::string kHalfLife = "C:\\SIERRA\\Half-Life";

class ChooserE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDemoGame();
    app_.emplace(StartLauncher(main_));
  }
  void Press(HWND window, const char* caption) { tools::Press(tools::FindChild(window, caption)); }
  void ExitAndReopen(HWND chooser) {
    Press(chooser, "E&xit");
    ASSERT_NE(main_ = app_->WaitForWindow(kLauncherTitle), nullptr);
    Press(main_, "Map Cycle");
  }
  HWND Chooser() { return app_->WaitForWindow(kRotamundTitle); }
  std::vector<std::string> Mods(HWND w) { return tools::ListItems(tools::FindList(w, 0)); }
  // Answers the next message box, which must show an icon (and `title`, when given); its text.
  std::string AnswerBox(const char* title = nullptr) {
    auto box = app_->WaitForMessageBox();
    EXPECT_TRUE(box && box->hasIcon && (!title || box->title == title) && app_->Dismiss(*box))
        << (box ? box->title : "no box");
    return box ? box->text : "";
  }

  HWND main_ = nullptr;
  std::optional<tools::Driver> app_;
};

TEST_F(ChooserE2E, MapCycleListsTheModsWithARotationAndEachReturnReadsTheInstallPathAgain) {
  for (const char* f : {"op4\\MAPCYCLE.TXT", "tfc.x\\mapcycle.txt", "rc\\mapcycle.txt", "readme"})
    ASSERT_TRUE(tools::WriteTextFile(kHalfLife + "\\" + f, "de_dust\r\n"));
  SetFileAttributesA((kHalfLife + "\\rc\\mapcycle.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Press(main_, "Map Cycle");
  HWND chooser = Chooser();
  ASSERT_NE(chooser, nullptr);
  EXPECT_TRUE(app_->WaitForWindowGone(kLauncherTitle));
  EXPECT_EQ(Mods(chooser), (std::vector<std::string>{"cstrike", "op4", "valve"}));

  // Focus starts in the list; Tab goes to Exit, then Edit; Esc does nothing.
  SetForegroundWindow(chooser);
  using F = mod_chooser::FrmMods;
  auto focus = [&] { return GetDlgCtrlID(tools::FocusedControl(chooser)); };
  for (int id : {F::kLstModList, F::kCmdClose, F::kCmdEdit, F::kLstModList}) {
    ASSERT_TRUE(tools::WaitUntil([&] { return focus() == id; })) << id;
    tools::PressKey(VK_TAB);
  }
  tools::PressKey(VK_ESCAPE);
  tools::Driver::WaitIdle(chooser);
  EXPECT_TRUE(IsWindowVisible(chooser));

  // Each return to the main window reads the install path again: missing, then empty.
  tools::UnregisterInstallPath();
  ExitAndReopen(chooser);
  EXPECT_EQ(AnswerBox("Cannot Continue"), "No files present in: No Name\\*.");
  ASSERT_NE(chooser = Chooser(), nullptr);
  EXPECT_TRUE(Mods(chooser).empty());
  ASSERT_TRUE(tools::RegisterInstallPath(""));
  ExitAndReopen(chooser);
  EXPECT_EQ(AnswerBox("Cannot Start"), "Half Life is not installed on this machine");
  EXPECT_TRUE(app_->WaitForExit());
}

// First without the game folder (the program stays open, as the rest shows); then after a profile
// switch, which leaves the program in the Counter-Strike folder beside a second hl.exe.
TEST_F(ChooserE2E, LaunchReportsAMissingGameFolderThenStartsTheGameFromItsFolderAndEnds) {
  tools::RemoveTree(kHalfLife);
  Press(main_, "Launch Counter-Strike");
  EXPECT_PRED_FORMAT2(testing::IsSubstring, "c:\\SIERRA\\Half-Life", AnswerBox());

  ResetDemoGame();
  const std::string game = LauncherPath().substr(0, LauncherPath().rfind('\\')) + "\\fake_game.exe";
  for (const char* copy : {"\\hl.exe", "\\cstrike\\hl.exe"})
    ASSERT_TRUE(CopyFileA(game.c_str(), (kHalfLife + copy).c_str(), FALSE));
  Press(main_, "Android");
  AnswerBox();  // shown before the switch, which has run once the launch is taken
  Press(main_, "Launch Counter-Strike");
  EXPECT_TRUE(app_->WaitForExit());
  std::string record;
  ASSERT_TRUE(
      tools::WaitUntil([&] { return tools::ReadTextFile(kHalfLife + "\\launched.txt", record); }));
  EXPECT_STRCASEEQ(record.c_str(), "hl.exe -console -game cstrike\nc:\\SIERRA\\Half-Life\n");
}

}  // namespace
