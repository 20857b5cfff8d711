// While another launcher's switch holds the game folder's writer's turn (this test holds it, with
// the switch's journal and files as they stand half-way), a launcher that starts and a save both
// wait for the turn: neither touches the files until the switch has ended. Skipping the turn
// fails both: the start would put the running switch back, the save would be lost under it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "cycle_editor/frm_rotamund.h"
#include "game_files/switch_journal.h"
#include "launcher_app.h"
#include "platform/files.h"
#include "platform/writer_turn.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using namespace std::chrono_literals;

const std::string kGame = std::string(tools::kDemoHalfLifeFolder) + "\\cstrike";

std::string In(const std::string& name) { return kGame + "\\" + name; }

// A switch to NNBot in another launcher, half-way through its commit: its journal written, the
// new map cycle in place (the old one kept aside), the new library list staged beside its live
// name. Holds the turn until it ends.
class RunningSwitch {
 public:
  RunningSwitch() {
    EXPECT_TRUE(platform::WriterTurn::Take(kGame, turn_).ok());
    oldCycle_ = FileBytes(In("mapcycle.txt"));
    const std::string journal =
        game_files::FormatJournal({{"mapcycle.txt", true}, {"liblist.gam", true}});
    EXPECT_TRUE(tools::WriteTextFile(In(game_files::kJournalName), journal));
    EXPECT_TRUE(
        tools::WriteTextFile(In(std::string("mapcycle.txt") + platform::kAsideSuffix), oldCycle_));
    EXPECT_TRUE(tools::WriteTextFile(In("mapcycle.txt"), FileBytes(In("mapcycle.nnb.txt"))));
    EXPECT_TRUE(tools::WriteTextFile(In(std::string("liblist.gam") + platform::kStagedSuffix),
                                     FileBytes(In("liblist.gam.nnb"))));
  }
  // The files as the switch left them so far: nothing put back, nothing staged removed.
  bool Untouched() const {
    return FileBytes(In("mapcycle.txt")) == FileBytes(In("mapcycle.nnb.txt")) &&
           FileBytes(In(game_files::kJournalName)) != "(unreadable)" &&
           FileBytes(In(std::string("liblist.gam") + platform::kStagedSuffix)) ==
               FileBytes(In("liblist.gam.nnb"));
  }
  // The switch ends as a switch does, and hands the turn on.
  void Finish() {
    EXPECT_TRUE(MoveFileExA(In(std::string("liblist.gam") + platform::kStagedSuffix).c_str(),
                            In("liblist.gam").c_str(), MOVEFILE_REPLACE_EXISTING));
    DeleteFileA(In(game_files::kJournalName).c_str());
    DeleteFileA(In(std::string("mapcycle.txt") + platform::kAsideSuffix).c_str());
    turn_.Release();
  }
  const std::string& oldCycle() const { return oldCycle_; }

 private:
  platform::WriterTurn turn_;
  std::string oldCycle_;
};

BOOL CALLBACK NoteUnpainted(HWND window, LPARAM unpainted) {
  if (GetUpdateRect(window, nullptr, FALSE)) *reinterpret_cast<bool*>(unpainted) = true;
  return TRUE;
}

bool FullyPainted(HWND window) {
  bool unpainted = GetUpdateRect(window, nullptr, FALSE) != FALSE;
  EnumChildWindows(window, &NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

// The launcher's start waits for the turn before it looks for a switch to put back; its window
// paints and answers meanwhile (finding it by its title asks it for its text). Once the switch has
// ended there is nothing to put back, and nothing is said.
TEST(TurnHeldE2E, AStartingLauncherWaitsForTheRunningSwitchAndAnswersMeanwhile) {
  ResetDemoGame();
  RunningSwitch running;
  HWND main = nullptr;
  const auto started = std::chrono::steady_clock::now();
  tools::Driver app = StartLauncher(main);
  ASSERT_NE(main, nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 3s)
      << "the window did not answer while the launcher waited for the turn";
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer));
  EXPECT_TRUE(tools::WaitUntil([&] { return FullyPainted(main); }, 2s))
      << "the window does not paint while the launcher waits";
  const auto early = app.WaitForMessageBox(1500ms);
  EXPECT_FALSE(early) << early->text;
  EXPECT_TRUE(running.Untouched()) << "the start put back a switch that was still running";
  running.Finish();
  ASSERT_TRUE(tools::Driver::WaitIdle(main));
  const auto told = app.WaitForMessageBox(300ms);
  EXPECT_FALSE(told) << told->text;
  EXPECT_EQ(FileBytes(In("liblist.gam")), FileBytes(In("liblist.gam.nnb")));
  EXPECT_EQ(FileBytes(In("mapcycle.txt")), FileBytes(In("mapcycle.nnb.txt")));
}

// The save waits for the turn, then finds the switch's map cycle and keeps it in a backup.
TEST(TurnHeldE2E, ASaveWaitsForTheRunningSwitchAndKeepsWhatItWrote) {
  ResetDemoGame();
  HWND main = nullptr;
  tools::Driver app = StartLauncher(main);
  HWND editor = OpenEditor(app, main, "cstrike");
  ASSERT_NE(editor, nullptr);
  RunningSwitch running;
  tools::Press(GetDlgItem(editor, cycle_editor::FrmRotamund::kCmdSave));
  const auto early = app.WaitForMessageBox(1500ms);
  EXPECT_FALSE(early) << "saved while another launcher's switch held the turn: " << early->text;
  EXPECT_TRUE(running.Untouched());
  running.Finish();
  const auto saved = app.WaitForMessageBox();
  ASSERT_TRUE(saved);
  EXPECT_TRUE(saved->text.starts_with("Map Saved\n\nAnother program had changed")) << saved->text;
  EXPECT_EQ(FileBytes(In("mapcycle.txt")), running.oldCycle()) << "the save was lost";
  app.Dismiss(*saved);
  tools::RemoveTree(In("launcher backups"));
}

}  // namespace
