// The main window driven from outside: keyboard, close box, profile switching.
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher_app.h"
#include "support/demo_game.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using tools::Driver;

class LauncherE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDemoGame();
    app_.emplace(StartLauncher(main_));
    ASSERT_NE(main_, nullptr);
    SetForegroundWindow(main_);
  }
  HWND main_ = nullptr;
  std::optional<Driver> app_;
};

TEST_F(LauncherE2E, FocusStartsOnBobabotAndTabFollowsTheTabIndexes) {
  for (const char* expected :
       {"Bobabot", "Android", "NNBot", "Realbot", "Redubot", "Swat Bot", "Resort Counter-Strike",
        "Launch Counter-Strike", "Rambot", "Map Cycle", "E&xit", "Bobabot"}) {
    ASSERT_TRUE(tools::WaitUntil([&] {
      return tools::WindowText(tools::FocusedControl(main_)) == expected;
    })) << "expected focus on "
        << expected;
    tools::PressKey(VK_TAB);
  }
}

TEST_F(LauncherE2E, EscDoesNothingAndAltXEnds) {
  tools::PressKey(VK_ESCAPE);
  Driver::WaitIdle(main_);
  EXPECT_TRUE(app_->IsRunning());
  tools::PressKey('X', true);
  EXPECT_TRUE(app_->WaitForExit());
}

TEST_F(LauncherE2E, CloseBoxEndsTheProgram) {
  PostMessageA(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app_->WaitForExit());
}

TEST_F(LauncherE2E, ProfileButtonShowsItsMessageThenSwapsTheFiles) {
  const std::string game = "C:\\SIERRA\\Half-Life\\cstrike\\";
  tools::Press(tools::FindChild(main_, "NNBot"));
  auto box = app_->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(
      (std::tuple{box->title, box->text, box->hasIcon}),
      (std::tuple{"MsgBox Demonstration",
                  "Launch CS, choose a NNBot level & bots will automatically be added", true}));
  // Nothing is swapped while the message is up.
  EXPECT_EQ(FileBytes(game + "liblist.gam"), tools::DemoFileContent("liblist_old.gam"));
  ASSERT_TRUE(app_->Dismiss(*box));
  ASSERT_TRUE(Driver::WaitIdle(main_));
  EXPECT_EQ(FileBytes(game + "liblist.gam"), tools::DemoFileContent("liblist.gam.nnb"));
  EXPECT_EQ(FileBytes(game + "maps\\cs_docks.wpt"), tools::DemoFileContent("cs_docks.wpt"));
  EXPECT_TRUE(app_->IsRunning());
}

}  // namespace
