// Writers of one game folder take turns, as only real processes show: two launchers switching at
// once; a starting launcher, a save and a switch waiting for another launcher's switch, held
// half-way here, the save and the switch reaching the folder by other spellings.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <ranges>
#include <string>

#include "cycle_editor/frm_rotamund.h"
#include "game_files/game_state.h"
#include "game_files/profiles.h"
#include "game_files/switch_journal.h"
#include "launcher_app.h"
#include "platform/files.h"
#include "platform/writer_turn.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using tools::Driver;
using namespace std::chrono_literals;

const std::string kGame = std::string(tools::kDemoHalfLifeFolder) + "\\cstrike";

std::string In(const std::string& name) { return kGame + "\\" + name; }
std::string Live(const std::string& name) { return FileBytes(In(name)); }

// How many profiles the live files make whole (the rules: FolderState, natively).
long WholeProfiles() {
  return std::ranges::count_if(game_files::ReadGameState(kGame).profiles,
                               [](const game_files::ProfileState& state) { return state.live; });
}

// Ten rounds of two launchers switching at once, to NNBot and to Rambot, with 1 MB waypoints: both
// go through in turn, and the game is the last one's, whole, with nothing left beside it.
TEST(WritersE2E, TwoLaunchersSwitchingAtOnceTakeTurns) {
  ResetDemoGame();
  for (const game_files::ProfileId id :
       {game_files::ProfileId::kNNBot, game_files::ProfileId::kRambot}) {
    for (const game_files::FileCopy& copy : game_files::ProfileFor(id).waypoints) {
      std::string content;
      while (content.size() < (1 << 20)) content += std::string(copy.source) + " ";
      ASSERT_TRUE(tools::WriteTextFile(In(copy.source), content));
    }
  }
  HWND mains[2] = {};
  Driver apps[2] = {StartLauncher(mains[0]), StartLauncher(mains[1])};
  for (int round = 0; round < 10 && !::testing::Test::HasFailure(); ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    HWND boxes[2] = {};
    for (int i = 0; i < 2; ++i) {
      tools::Press(tools::FindChild(mains[i], i == 0 ? "NNBot" : "Rambot"));
      const auto box = apps[i].WaitForMessageBox();
      ASSERT_TRUE(box);
      boxes[i] = box->window;
    }
    // Both switches start at once: the second launcher is not told to wait for the first.
    PostMessageA(boxes[round % 2], WM_COMMAND, IDOK, 0);
    PostMessageA(boxes[1 - round % 2], WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 2; ++i) {
      ASSERT_TRUE(tools::WaitUntil([&] { return !IsWindow(boxes[i]); }));
      ASSERT_TRUE(Driver::WaitIdle(mains[i]));
    }
    // A launcher waiting for the turn answers sent messages: it has switched once the turn, asked
    // for after it, has been had and handed on, and it answers again.
    for (int i = 0; i < 2; ++i) {
      platform::WriterTurn turn;
      ASSERT_TRUE(platform::WriterTurn::Take(kGame, turn, 15000).ok());
      turn.Release();
      ASSERT_TRUE(Driver::WaitIdle(mains[0]) && Driver::WaitIdle(mains[1]));
    }
    for (int i = 0; i < 2; ++i) {
      const auto failure = apps[i].WaitForMessageBox(200ms);
      EXPECT_FALSE(failure) << failure->text;
      if (failure) apps[i].Dismiss(*failure);
    }
    EXPECT_EQ(WholeProfiles(), 1) << "a mixed game";
    for (const std::string& folder : {kGame, kGame + "\\maps"}) {
      for (const std::string& name : tools::FolderNames(folder)) {
        EXPECT_FALSE(name.ends_with(".tmp")) << name;
      }
    }
  }
}

// Another launcher's switch to NNBot, holding the turn (taken under `spelling`) half-way through
// its commit: journal written, new map cycle in place (the old kept aside), new library list
// staged beside its name.
class RunningSwitch {
 public:
  explicit RunningSwitch(const std::string& spelling = kGame) {
    EXPECT_TRUE(platform::WriterTurn::Take(spelling, turn_).ok());
    const std::string journal =
        game_files::FormatJournal({{"mapcycle.txt", true}, {"liblist.gam", true}});
    EXPECT_TRUE(tools::WriteTextFile(In(game_files::kJournalName), journal));
    EXPECT_TRUE(tools::WriteTextFile(In(std::string("mapcycle.txt") + platform::kAsideSuffix),
                                     Live("mapcycle.txt")));
    EXPECT_TRUE(tools::WriteTextFile(In("mapcycle.txt"), Live("mapcycle.nnb.txt")));
    EXPECT_TRUE(tools::WriteTextFile(In(std::string("liblist.gam") + platform::kStagedSuffix),
                                     Live("liblist.gam.nnb")));
  }
  // The files as the switch left them so far: nothing put back, nothing staged removed.
  bool Untouched() const {
    return Live("mapcycle.txt") == Live("mapcycle.nnb.txt") &&
           Live(game_files::kJournalName) != "(unreadable)" &&
           Live(std::string("liblist.gam") + platform::kStagedSuffix) == Live("liblist.gam.nnb");
  }
  // The switch ends as a switch does, and hands the turn on.
  void Finish() {
    EXPECT_TRUE(MoveFileExA(In(std::string("liblist.gam") + platform::kStagedSuffix).c_str(),
                            In("liblist.gam").c_str(), MOVEFILE_REPLACE_EXISTING));
    DeleteFileA(In(game_files::kJournalName).c_str());
    DeleteFileA(In(std::string("mapcycle.txt") + platform::kAsideSuffix).c_str());
    turn_.Release();
  }

 private:
  platform::WriterTurn turn_;
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

// The launcher's start waits for the turn before it looks for a switch to put back, its window
// answering meanwhile (found by its title, it is asked its text); then it has nothing to say.
TEST(TurnHeldE2E, AStartingLauncherWaitsForTheRunningSwitchAndAnswersMeanwhile) {
  ResetDemoGame();
  RunningSwitch running;
  HWND main = nullptr;
  const auto started = std::chrono::steady_clock::now();
  Driver app = StartLauncher(main);
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
  ASSERT_TRUE(Driver::WaitIdle(main));
  const auto told = app.WaitForMessageBox(300ms);
  EXPECT_FALSE(told) << told->text;
  EXPECT_EQ(Live("liblist.gam"), Live("liblist.gam.nnb"));
  EXPECT_EQ(Live("mapcycle.txt"), Live("mapcycle.nnb.txt"));
}

// The editor reaches the folder as "c:\sierra\HALF-LIFE\" (InstallPath), the switch as
// C:\SIERRA\Half-Life\cstrike; while another launcher's switch holds the turn under a third
// spelling (the short name, slashes), neither changes a file. Once the turn is handed on, both go
// through in turn, and the save keeps the switch's map cycle, which it did not open, in a backup
// and names it.
TEST(WritersE2E, ASaveAndASwitchOfOneFolderSpelledApartTakeOneTurn) {
  ResetDemoGame();
  ASSERT_TRUE(tools::WriteTextFile(In("mapcycle.txt"), "de_dust\ncs_office\n"));
  ASSERT_TRUE(tools::RegisterInstallPath("c:\\sierra\\HALF-LIFE\\"));
  HWND editorMain = nullptr, switcherMain = nullptr;
  Driver editing = StartLauncher(editorMain);
  HWND editor = OpenEditor(editing, editorMain, "cstrike");
  ASSERT_NE(editor, nullptr);
  Driver switching = StartLauncher(switcherMain);
  tools::Press(tools::FindChild(switcherMain, "NNBot"));
  const auto ask = switching.WaitForMessageBox();
  ASSERT_TRUE(ask);

  char halfLife[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(tools::kDemoHalfLifeFolder, halfLife, MAX_PATH), 0u);
  std::string spelling = std::string(halfLife) + "\\CSTRIKE\\";
  std::ranges::replace(spelling, '\\', '/');
  RunningSwitch running(spelling);
  tools::Press(GetDlgItem(editor, cycle_editor::FrmRotamund::kCmdSave));
  PostMessageA(ask->window, WM_COMMAND, IDOK, 0);
  const auto early = editing.WaitForMessageBox(1500ms);
  EXPECT_FALSE(early) << "saved while the turn was held by " << spelling << ": " << early->text;
  EXPECT_TRUE(running.Untouched() && Live("liblist.gam") == Live("liblist_old.gam"))
      << "the save or the switch went while the turn was held";
  running.Finish();

  const auto saved = editing.WaitForMessageBox();
  ASSERT_TRUE(saved);
  EXPECT_TRUE(saved->text.starts_with("Map Saved\n\nAnother program had changed \""))
      << saved->text;
  // Named as the editor reaches the folder.
  const size_t quote = saved->text.rfind('"', saved->text.size() - 3);
  const std::string kept = saved->text.substr(quote + 1, saved->text.size() - 3 - quote);
  EXPECT_NE(kept.find("\\cstrike\\launcher backups\\"), std::string::npos) << kept;
  EXPECT_EQ(FileBytes(kept), Live("mapcycle.nnb.txt"));
  const std::string nnbLibrary = Live("liblist.gam.nnb");
  ASSERT_TRUE(tools::WaitUntil([&] { return Live("liblist.gam") == nnbLibrary; }));
  ASSERT_TRUE(Driver::WaitIdle(switcherMain));
  const auto failure = switching.WaitForMessageBox(200ms);
  EXPECT_FALSE(failure) << failure->text;
  // The switch went first and found NNBot in place, or second and kept the saved rotation.
  const std::string rotation = "de_dust\r\ncs_office\r\n";
  const auto backups = FilesBelow(In("launcher backups"));
  EXPECT_EQ(std::ranges::count(std::views::values(backups), rotation) +
                (Live("mapcycle.txt") == rotation),
            1)
      << "the save was lost, or kept twice";
  tools::RemoveTree(In("launcher backups"));
}

}  // namespace
