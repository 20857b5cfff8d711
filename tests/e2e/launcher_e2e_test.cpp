// The main window and the mod chooser driven from outside: keys, Map Cycle, the game launch
// (profile switches: fault_e2e_test.cpp; the editor: editing_run_e2e_test.cpp).
#include <gtest/gtest.h>
#include <windows.h>

#include "app/launcher.h"
#include "launcher_app.h"
#include "mod_chooser/frm_mods.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"

namespace {

using namespace testing_support;
using L = app::Launcher;

const std::string kHalfLife = "C:\\SIERRA\\Half-Life";

class LauncherE2E : public LauncherE2ETest {
 protected:
  void Press(HWND window, const char* caption) { tools::Press(tools::FindChild(window, caption)); }
  void ExitAndReopen(HWND chooser) {
    Press(chooser, "E&xit");
    ASSERT_NE(main_ = app_->WaitForWindow(kLauncherTitle), nullptr);
    Press(main_, "Map Cycle");
  }
  HWND Chooser() { return app_->WaitForWindow(kRotamundTitle); }
  std::vector<std::string> Mods(HWND w) { return tools::ListItems(tools::FindList(w, 0)); }
};

TEST_F(LauncherE2E, FocusStartsOnBobabotTabFollowsTheTabIndexesEscDoesNothingAndAltXEnds) {
  ExpectTabCycle(main_, {L::kBob, L::kAnd, L::kNnb, L::kRea, L::kRed, L::kSwa, L::kRes, L::kCstrike,
                         L::kRam, L::kCycle, L::kExit, L::kBob});
  tools::PressKey(VK_ESCAPE);
  tools::Driver::WaitIdle(main_);
  EXPECT_TRUE(app_->IsRunning());
  tools::PressKey('X', true);
  EXPECT_TRUE(app_->WaitForExit());
}

TEST_F(LauncherE2E, MapCycleListsTheModsWithARotationAndEachReturnReadsTheInstallPathAgain) {
  for (const char* f : {"op4\\MAPCYCLE.TXT", "tfc.x\\mapcycle.txt", "rc\\mapcycle.txt", "readme"})
    ASSERT_TRUE(tools::WriteTextFile(kHalfLife + "\\" + f, "de_dust\r\n"));
  SetFileAttributesA((kHalfLife + "\\rc\\mapcycle.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Press(main_, "Map Cycle");
  HWND chooser = Chooser();
  ASSERT_NE(chooser, nullptr);
  EXPECT_TRUE(app_->WaitForWindowGone(kLauncherTitle));
  EXPECT_EQ(Mods(chooser), (std::vector<std::string>{"cstrike", "op4", "valve"}));

  // Focus starts in the list; Tab goes to Exit, then Edit; Esc does nothing.
  using F = mod_chooser::FrmMods;
  ExpectTabCycle(chooser, {F::kLstModList, F::kCmdClose, F::kCmdEdit, F::kLstModList});
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

// The launch tests plant a stand-in hl.exe wherever a start through the search order would
// find one first: the folder launcher.exe is in and the folder it was started in.
class LaunchE2E : public LauncherE2E {
 protected:
  void SetUp() override {
    for (const std::string& decoy : decoys_) {
      ASSERT_TRUE(CopyFileA(FakeGame().c_str(), decoy.c_str(), FALSE)) << decoy;
    }
    LauncherE2E::SetUp();
  }
  void TearDown() override {
    for (const std::string& decoy : decoys_) {
      const std::string folder = decoy.substr(0, decoy.rfind('\\') + 1);
      EXPECT_EQ(GetFileAttributesA((folder + "launched.txt").c_str()), INVALID_FILE_ATTRIBUTES)
          << "the game was started from " << folder;
      DeleteFileA(decoy.c_str());
      DeleteFileA((folder + "launched.txt").c_str());
    }
    tools::LeaveNoGameToFind();
  }

  const std::string decoys_[2] = {"C:\\hl.exe", BesideLauncher("hl.exe")};
};

// After a profile switch, which leaves the program in the Counter-Strike folder beside a second
// hl.exe.
TEST_F(LaunchE2E, StartsTheGameFromItsFolderAndEnds) {
  for (const char* copy : {"\\hl.exe", "\\cstrike\\hl.exe"})
    ASSERT_TRUE(CopyFileA(FakeGame().c_str(), (kHalfLife + copy).c_str(), FALSE));
  Press(main_, "Android");
  AnswerBox();  // shown before the switch, which has run once the launch is taken
  Press(main_, "Launch Counter-Strike");
  EXPECT_TRUE(app_->WaitForExit());
  EXPECT_STRCASEEQ(LaunchRecord(kHalfLife).c_str(),
                   "hl.exe -console -game cstrike\nc:\\SIERRA\\Half-Life\n");
}

}  // namespace
