// The main window driven from outside: keyboard, close box, profile switching.
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher_app.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace {

using namespace testing_support;
using tools::Driver;

constexpr char kGame[] = "C:\\SIERRA\\Half-Life\\cstrike";

std::string ReadGameFile(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(tools::ReadTextFile(std::string(kGame) + "\\" + name, bytes)) << name;
  return bytes;
}

class LauncherE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDemoGame();
    app_.emplace(StartLauncher(main_));
    ASSERT_NE(main_, nullptr);
  }
  HWND Button(const std::string& caption) {
    HWND button = tools::FindChild(main_, caption);
    EXPECT_NE(button, nullptr) << caption;
    return button;
  }

  HWND main_ = nullptr;
  std::optional<Driver> app_;
};

TEST_F(LauncherE2E, FocusStartsOnBobabotAndTabFollowsTheTabIndexes) {
  SetForegroundWindow(main_);
  const char* order[] = {"Bobabot",
                         "Android",
                         "NNBot",
                         "Realbot",
                         "Redubot",
                         "Swat Bot",
                         "Resort Counter-Strike",
                         "Launch Counter-Strike",
                         "Rambot",
                         "Map Cycle",
                         "E&xit",
                         "Bobabot"};
  for (const char* expected : order) {
    ASSERT_TRUE(tools::WaitUntil([&] {
      return tools::WindowText(tools::FocusedControl(main_)) == expected;
    })) << "expected focus on "
        << expected << ", found " << tools::WindowText(tools::FocusedControl(main_));
    tools::PressKey(VK_TAB);
  }
}

TEST_F(LauncherE2E, EscDoesNothingAndAltXEnds) {
  SetForegroundWindow(main_);
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
  tools::Press(Button("NNBot"));
  auto box = app_->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "MsgBox Demonstration");
  EXPECT_EQ(box->text, "Launch CS, choose a NNBot level & bots will automatically be added");
  EXPECT_TRUE(box->hasIcon);
  // Nothing is swapped while the message is up.
  EXPECT_EQ(ReadGameFile("liblist.gam"), tools::DemoFileContent("liblist_old.gam"));
  ASSERT_TRUE(app_->Dismiss(*box));
  ASSERT_TRUE(Driver::WaitIdle(main_));
  EXPECT_EQ(ReadGameFile("liblist.gam"), tools::DemoFileContent("liblist.gam.nnb"));
  EXPECT_EQ(ReadGameFile("maps\\cs_docks.wpt"), tools::DemoFileContent("cs_docks.wpt"));

  EXPECT_TRUE(app_->IsRunning());
}

}  // namespace
