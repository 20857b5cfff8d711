// The game running from the launcher's Half-Life folder, as the player meets it: "Launch
// Counter-Strike" brings the running game's window forward and ends, starting no second copy.
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher_app.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace {

using namespace testing_support;
using namespace std::chrono_literals;

TEST(RunningGameE2E, TheLaunchBringsTheRunningGameForwardAndStartsNoSecondCopy) {
  ResetDemoGame();
  const std::string halfLife = tools::kDemoHalfLifeFolder;
  ASSERT_TRUE(CopyFileA(FakeGame().c_str(), (halfLife + "\\hl.exe").c_str(), FALSE));
  ASSERT_TRUE(tools::WriteTextFile(halfLife + "\\keep-running", ""));
  std::optional<tools::Driver> game = tools::Driver::Start(halfLife + "\\hl.exe", halfLife);
  ASSERT_TRUE(game);
  HWND gameWindow = game->WaitForWindow("Counter-Strike stand-in");
  ASSERT_NE(gameWindow, nullptr);
  ASSERT_TRUE(IsIconic(gameWindow));
  DeleteFileA((halfLife + "\\launched.txt").c_str());

  HWND main = nullptr;
  tools::Driver app = StartLauncher(main);
  tools::Press(tools::FindChild(main, "Launch Counter-Strike"));
  EXPECT_TRUE(app.WaitForExit());
  EXPECT_TRUE(tools::WaitUntil([&] { return !IsIconic(gameWindow); }, 2s));
  Sleep(300);
  EXPECT_EQ(GetFileAttributesA((halfLife + "\\launched.txt").c_str()), INVALID_FILE_ATTRIBUTES)
      << "a second copy of the game was started";
  EXPECT_TRUE(game->IsRunning());
  game.reset();
  DeleteFileA((halfLife + "\\keep-running").c_str());
  tools::LeaveNoGameToFind();
}

}  // namespace
