// Two launchers at once, and another program beside the editor: their switches and saves take
// turns, the game is always exactly one profile, and no rotation is lost without the player told.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "cycle_editor/frm_rotamund.h"
#include "game_files/profiles.h"
#include "launcher_app.h"
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

std::string Live(const std::string& name) { return FileBytes(kGame + "\\" + name); }

// The profile whose files are all live (its map cycle, library list and waypoint set, and its
// bot configuration if it has one), or nothing for a mixed game.
std::optional<game_files::ProfileId> LiveProfile() {
  for (game_files::ProfileId id : {game_files::ProfileId::kNNBot, game_files::ProfileId::kRambot}) {
    const game_files::Profile& profile = game_files::ProfileFor(id);
    bool whole = Live("mapcycle.txt") == Live(profile.mapCycleSource) &&
                 Live("liblist.gam") == Live(profile.libraryListSource) &&
                 (!profile.botConfigSource || Live("bot.cfg") == Live(profile.botConfigSource));
    std::vector<std::string> waypoints = tools::FolderNames(kGame + "\\maps");
    std::erase_if(waypoints, [](const std::string& name) { return !name.ends_with(".wpt"); });
    whole = whole && waypoints.size() == profile.waypoints.size();
    for (const game_files::FileCopy& copy : profile.waypoints) {
      whole = whole && Live(copy.destination) == Live(copy.source);
    }
    if (whole) return id;
  }
  return std::nullopt;
}

// Ten rounds of two launchers, one switching to NNBot and one to Rambot at the same moment, with
// waypoints of 1 MB: each switch waits for the other, both go through, and the game is the one
// that went last, whole, with nothing left beside it.
TEST(WritersE2E, TwoLaunchersSwitchingAtOnceTakeTurns) {
  ResetDemoGame();
  for (const game_files::ProfileId id :
       {game_files::ProfileId::kNNBot, game_files::ProfileId::kRambot}) {
    for (const game_files::FileCopy& copy : game_files::ProfileFor(id).waypoints) {
      std::string content;
      while (content.size() < (1 << 20)) content += std::string(copy.source) + " ";
      ASSERT_TRUE(tools::WriteTextFile(kGame + "\\" + copy.source, content));
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
    EXPECT_TRUE(LiveProfile().has_value()) << "a mixed game";
    for (const std::string& folder : {kGame, kGame + "\\maps"}) {
      for (const std::string& name : tools::FolderNames(folder)) {
        EXPECT_FALSE(name.ends_with(".tmp")) << name;
      }
    }
  }
}

// The editor open on Counter-Strike's rotation, then a text editor writing the same maps in
// capitals (not one byte longer): the save keeps the version it found in a backup and names it. (A
// switch's map cycle found so: TurnHeldE2E.ASaveWaitsForTheRunningSwitchAndKeepsWhatItWrote.)
TEST(WritersE2E, ASaveKeepsTheRotationAnotherProgramWroteAndNamesIt) {
  ResetDemoGame();
  HWND main = nullptr;
  Driver editing = StartLauncher(main);
  HWND editor = OpenEditor(editing, main, "cstrike");
  ASSERT_NE(editor, nullptr);
  HWND save = GetDlgItem(editor, cycle_editor::FrmRotamund::kCmdSave);
  const std::string cycle = kGame + "\\mapcycle.txt";
  const std::string rotation = Live("mapcycle.txt");
  std::string outside = rotation;
  std::ranges::transform(outside, outside.begin(),
                         [](char c) { return static_cast<char>(std::toupper(c)); });
  ASSERT_TRUE(tools::WriteTextFile(cycle, outside));
  tools::Press(save);
  auto box = editing.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "Saved");
  EXPECT_TRUE(box->text.starts_with("Map Saved\n\nAnother program had changed \"" + cycle + "\""))
      << box->text;
  const size_t quote = box->text.rfind('"', box->text.size() - 3);
  const std::string kept = box->text.substr(quote + 1, box->text.size() - 3 - quote);
  EXPECT_TRUE(kept.starts_with(kGame + "\\launcher backups\\")) << kept;
  EXPECT_EQ(FileBytes(kept), outside);
  EXPECT_EQ(FileBytes(cycle), rotation);
  ASSERT_TRUE(editing.Dismiss(*box));
  // Saved over its own file: as always.
  tools::Press(save);
  box = editing.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "Map Saved");
  tools::RemoveTree(kGame + "\\launcher backups");
}

// The editor reaches Counter-Strike's folder through the registry's InstallPath, spelled
// "c:\sierra\HALF-LIFE\", the switch as C:\SIERRA\Half-Life\cstrike. While this test holds
// the folder's turn under a third spelling (Half-Life's short name, slashes), neither the save nor
// the switch changes a file; once the turn is handed on, both go through, one after the other.
TEST(WritersE2E, ASaveAndASwitchOfOneFolderSpelledApartTakeOneTurn) {
  ResetDemoGame();
  ASSERT_TRUE(tools::RegisterInstallPath("c:\\sierra\\HALF-LIFE\\"));
  HWND editorMain = nullptr, switcherMain = nullptr;
  Driver editing = StartLauncher(editorMain);
  HWND editor = OpenEditor(editing, editorMain, "cstrike");
  ASSERT_NE(editor, nullptr);
  Driver switching = StartLauncher(switcherMain);
  tools::Press(tools::FindChild(switcherMain, "NNBot"));
  const auto ask = switching.WaitForMessageBox();
  ASSERT_TRUE(ask);
  const std::string rotation = Live("mapcycle.txt");

  char halfLife[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(tools::kDemoHalfLifeFolder, halfLife, MAX_PATH), 0u);
  std::string spelling = std::string(halfLife) + "\\CSTRIKE\\";
  std::ranges::replace(spelling, '\\', '/');
  platform::WriterTurn turn;
  ASSERT_TRUE(platform::WriterTurn::Take(spelling, turn, 0).ok());
  tools::Press(GetDlgItem(editor, cycle_editor::FrmRotamund::kCmdSave));
  PostMessageA(ask->window, WM_COMMAND, IDOK, 0);
  Sleep(1500);
  const auto early = editing.WaitForMessageBox(0ms);
  EXPECT_FALSE(early) << "saved while the turn was held by " << spelling << ": " << early->text;
  EXPECT_EQ(Live("liblist.gam"), Live("liblist_old.gam")) << "switched while the turn was held";
  turn.Release();

  const auto saved = editing.WaitForMessageBox();
  ASSERT_TRUE(saved);
  const std::string nnbLibrary = Live("liblist.gam.nnb");
  ASSERT_TRUE(tools::WaitUntil([&] { return Live("liblist.gam") == nnbLibrary; }));
  ASSERT_TRUE(Driver::WaitIdle(switcherMain));
  const auto failure = switching.WaitForMessageBox(200ms);
  EXPECT_FALSE(failure) << failure->text;
  // The save went first and found its own file, or second and kept NNBot's rotation.
  const bool savedFirst = saved->text == "Map Saved";
  EXPECT_TRUE(savedFirst || saved->text.starts_with("Map Saved\n\nAnother program")) << saved->text;
  EXPECT_EQ(Live("mapcycle.txt"), savedFirst ? Live("mapcycle.nnb.txt") : rotation);
  tools::RemoveTree(kGame + "\\launcher backups");
}

}  // namespace
