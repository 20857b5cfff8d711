// The main window shows the game folder's state before any click: the live profiles' buttons read
// as checked, every button has a tip, and the game running from the folder blocks the switch, and
// the launch brings it forward. In-process, on the demo game.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <vector>

#include "app/launcher.h"
#include "app/launcher_layout.h"
#include "fakes.h"
#include "game_files/running_game.h"
#include "launcher_app.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using namespace std::chrono_literals;
using L = app::Launcher;

const std::string kHalfLife = tools::kDemoHalfLifeFolder;
const std::string kGame = kHalfLife + "\\cstrike";
constexpr int kProfileButtons[] = {L::kAnd, L::kBob, L::kNnb, L::kRam,
                                   L::kRea, L::kRed, L::kSwa, L::kRes};

class MainWindowStateTest : public ProgramTest {
 protected:
  void SetUp() override {
    ResetDemoGame();
    program_.Show(app::FormId::kLauncher);
    // The state is shown once the window has painted: the thread's messages run until then.
    ASSERT_TRUE(tools::WaitUntil([&] {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      return !launcher().TipOf(L::kCstrike).empty();
    }));
  }
  L& launcher() { return *program_.launcher(); }
  std::vector<int> Checked() {
    std::vector<int> checked;
    for (int id : kProfileButtons) {
      const LRESULT state = SendMessageA(launcher().control(id), BM_GETCHECK, 0, 0);
      EXPECT_TRUE(state == BST_CHECKED || state == BST_UNCHECKED) << id;
      if (state == BST_CHECKED) checked.push_back(id);
    }
    return checked;
  }
  void ComeBackFromAnotherProgram() {
    SendMessageA(launcher().window(), WM_ACTIVATE, WA_ACTIVE, 0);
  }
  std::string LastMessage() { return messages_.shown.empty() ? "" : messages_.shown.back().text; }
};

// The demo starts with the on-line files live. Each switch leaves its profile's button alone
// checked (Realbot keeps Rambot's waypoints); files changed from outside uncheck every button once
// the window is activated again.
TEST_F(MainWindowStateTest, ExactlyTheLiveProfilesButtonsReadAsChecked) {
  EXPECT_EQ(Checked(), std::vector<int>{L::kRes});
  const std::pair<void (L::*)(), int> clicks[] = {
      {&L::and_Click, L::kAnd}, {&L::bob_Click, L::kBob}, {&L::nnb_Click, L::kNnb},
      {&L::ram_Click, L::kRam}, {&L::rea_Click, L::kRea}, {&L::red_Click, L::kRed},
      {&L::swa_Click, L::kSwa}, {&L::res_Click, L::kRes}, {&L::nnb_Click, L::kNnb}};
  for (const auto& [click, id] : clicks) {
    (launcher().*click)();
    EXPECT_EQ(Checked(), std::vector<int>{id}) << tools::WindowText(launcher().control(id));
  }
  ASSERT_TRUE(tools::WriteTextFile(kGame + "\\maps\\de_aztec.wpt", "another add-on's"));
  EXPECT_EQ(Checked(), std::vector<int>{L::kNnb}) << "read again before the window is activated";
  ComeBackFromAnotherProgram();
  EXPECT_EQ(Checked(), std::vector<int>{});
  DeleteFileA((kGame + "\\maps\\de_aztec.wpt").c_str());
  ComeBackFromAnotherProgram();
  EXPECT_EQ(Checked(), std::vector<int>{L::kNnb});
  // No control moved, resized or changed its caption.
  for (const platform::ControlSpec& row : app::LauncherLayout().controls) {
    const RECT box = tools::ClientRectIn(launcher().control(row.id), launcher().window());
    EXPECT_EQ(std::tuple(box.left, box.top, box.right - box.left, box.bottom - box.top),
              std::tuple(row.left / 15, row.top / 15, row.width / 15, row.height / 15))
        << row.name;
    EXPECT_EQ(launcher().Text(row.id), row.caption) << row.name;
  }
}

TEST_F(MainWindowStateTest, TipsSayWhatEachButtonNeedsAndWhatTheLaunchRuns) {
  ASSERT_TRUE(MoveFileA((kGame + "\\mapcycle.swa.txt").c_str(),
                        (kGame + "\\mapcycle.swa.txt.txt").c_str()));
  // Bobabot's prepared copies made Android's bytes: both profiles are live at once.
  for (const auto& [bobabot, android] : {std::pair{"mapcycle.bob.txt", "mapcycle.and.txt"},
                                         std::pair{"liblist.gam.bob", "liblist.gam.and"}}) {
    ASSERT_TRUE(tools::WriteTextFile(kGame + "\\" + bobabot, FileBytes(kGame + "\\" + android)));
  }
  launcher().and_Click();
  EXPECT_EQ(Checked(), (std::vector<int>{L::kAnd, L::kBob}));
  EXPECT_EQ(launcher().TipOf(L::kAnd),
            "Switches the game to the Android bot.\nThe game runs this profile now.\n\n"
            "Ready: its prepared files are all there.");
  EXPECT_EQ(launcher().TipOf(L::kSwa),
            "Switches the game to the Swat Bot bot.\n\nNot ready. In \"" + kGame +
                "\":\nmapcycle.swa.txt is missing\n    there is mapcycle.swa.txt.txt: rename it");
  EXPECT_EQ(launcher().TipOf(L::kRes),
            "Restores the on-line files: Counter-Strike as it was before any bot.\n\n"
            "Ready: its prepared files are all there.");
  EXPECT_EQ(launcher().TipOf(L::kCstrike),
            "Starts Counter-Strike from \"" + kHalfLife +
                "\".\nIt runs the Android or Bobabot profile (their prepared files are the same).");
  launcher().nnb_Click();
  EXPECT_EQ(launcher().TipOf(L::kCstrike),
            "Starts Counter-Strike from \"" + kHalfLife + "\".\nIt runs the NNBot profile.");
  ASSERT_TRUE(tools::WriteTextFile(kGame + "\\liblist.gam", "changed by hand"));
  ComeBackFromAnotherProgram();
  EXPECT_EQ(launcher().TipOf(L::kCstrike),
            "Starts Counter-Strike from \"" + kHalfLife +
                "\".\nIts files are no bot profile's (changed by hand, by an update, or a mix).");
}

// The stand-in game, started from a Half-Life folder, stays running with a window of its own.
class RunningGame {
 public:
  explicit RunningGame(const std::string& halfLife) {
    EXPECT_TRUE(tools::MakeFolders(halfLife));
    EXPECT_TRUE(CopyFileA(FakeGame().c_str(), (halfLife + "\\hl.exe").c_str(), FALSE));
    EXPECT_TRUE(tools::WriteTextFile(halfLife + "\\keep-running", ""));
    game_ = tools::Driver::Start(halfLife + "\\hl.exe", halfLife);
    EXPECT_TRUE(game_ && (window = game_->WaitForWindow("Counter-Strike stand-in")));
    DeleteFileA((halfLife + "\\launched.txt").c_str());
  }
  void End() { game_.reset(); }
  HWND window = nullptr;  // shown minimised

 private:
  std::optional<tools::Driver> game_;
};

TEST_F(MainWindowStateTest, TheRunningGameBlocksItsFoldersSwitchAndItsSecondLaunch) {
  const std::string otherCopy = "C:\\Games\\Half-Life";
  RunningGame other(otherCopy);
  RunningGame game(kHalfLife);
  EXPECT_TRUE(game_files::GameRunsFrom("c:\\sierra\\HALF-LIFE\\"));
  EXPECT_FALSE(game_files::GameRunsFrom(kGame));

  const std::string before = FileBytes(kGame + "\\mapcycle.txt");
  launcher().nnb_Click();
  EXPECT_EQ(LastMessage(),
            "The NNBot profile was not switched because Counter-Strike is running from \"" +
                kHalfLife +
                "\": the game keeps the bot it has loaded, and would read the new bot's files at "
                "its next map.\n\nQuit the game, then press the button again.\n\nNo file was "
                "changed.");
  EXPECT_EQ(FileBytes(kGame + "\\mapcycle.txt"), before);
  EXPECT_EQ(Checked(), std::vector<int>{L::kRes});
  EXPECT_TRUE(launcher().TipOf(L::kNnb).ends_with(
      "\n\nCounter-Strike is running: quit it before switching."));
  EXPECT_EQ(launcher().TipOf(L::kCstrike),
            "Counter-Strike is running from \"" + kHalfLife +
                "\": brings its window forward.\nIt runs the Restore for on-line play profile.");
  // The launch brings the game's window forward and ends, starting no second copy.
  ASSERT_TRUE(IsIconic(game.window));
  launcher().cstrike_Click();
  EXPECT_TRUE(tools::WaitUntil([&] { return !IsIconic(game.window); }, 2s));
  EXPECT_TRUE(program_.ended());
  EXPECT_EQ(GetFileAttributesA((kHalfLife + "\\launched.txt").c_str()), INVALID_FILE_ATTRIBUTES);

  // A game from another copy of Half-Life blocks nothing.
  game.End();
  EXPECT_FALSE(game_files::GameRunsFrom(kHalfLife));
  other.End();
  tools::RemoveTree("C:\\Games");
  DeleteFileA((kHalfLife + "\\keep-running").c_str());
  tools::LeaveNoGameToFind();
}

}  // namespace
