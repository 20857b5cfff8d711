// Each file-system call of a switch and of a save in turn fails, or stops the work there as a kill
// would, and the next start puts right what was left: the files are all old or all new, byte for
// byte, every backup whole, nothing lost, no temporary file left.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>

#include "faulty_file_system.h"
#include "game_files/cycle_save.h"
#include "game_files/folder_turn.h"
#include "game_files/profile_switch.h"
#include "game_files/switch_journal.h"
#include "platform/files.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using Tree = std::map<std::string, std::string>;  // relative name -> bytes
using testing_support::FaultyFileSystem;
using testing_support::FilesBelow;
constexpr char kBackups[] = "launcher backups\\";

// Puts `folder`, which holds `now`, back to `files`: only what differs is written.
void Restore(const std::string& folder, const Tree& now, const Tree& files) {
  tools::RemoveTree(folder + "\\" + kBackups);
  for (const auto& [name, bytes] : now) {
    if (!files.contains(name)) DeleteFileA((folder + "\\" + name).c_str());
  }
  for (const auto& [name, bytes] : files) {
    const auto found = now.find(name);
    if (found == now.end() || found->second != bytes) {
      ASSERT_TRUE(tools::WriteTextFile(folder + "\\" + name, bytes));
    }
  }
}

// The files apart from the backups.
Tree Live(Tree files) {
  std::erase_if(files, [](const auto& file) { return file.first.starts_with(kBackups); });
  return files;
}

// Every backup holds what its file held before; every file of `unique` is backed up unless it
// is still there as it was.
void ExpectBackupsWhole(const Tree& now, const Tree& before,
                        const std::vector<std::string>& unique) {
  std::map<std::string, bool> kept;
  for (const auto& [name, bytes] : now) {
    if (!name.starts_with(kBackups)) continue;
    const std::string original = name.substr(name.find('\\', sizeof kBackups - 1) + 1);
    EXPECT_EQ(bytes, before.at(original)) << name;
    kept[original] = true;
  }
  for (const std::string& name : unique) {
    EXPECT_TRUE(kept[name] || (now.contains(name) && now.at(name) == before.at(name)))
        << name << " is lost";
  }
}

void ExpectNoTemporaryFile(const Tree& now) {
  for (const auto& [name, bytes] : now) EXPECT_FALSE(name.ends_with(".tmp")) << name;
}

// A game whose switch touches every kind of file: the player's own map cycle, bot.cfg, a waypoint
// replaced and one removed (all backed up), a waypoint added, a library list held on-line too.
constexpr game_files::FileCopy kWaypoints[] = {{"maps\\tst\\a.wpt", "maps\\a.wpt"},
                                               {"maps\\tst\\b.wpt", "maps\\b.wpt"}};
constexpr game_files::Profile kProfile = {"Test",        "Test message",    "mapcycle.tst.txt",
                                          "bot.cfg.tst", "liblist.gam.tst", kWaypoints};
const std::vector<std::string> kUnique = {"mapcycle.txt", "bot.cfg", "maps\\a.wpt", "maps\\c.wpt"};

Tree SmallGame() {
  Tree game = {{"liblist.gam", "on-line list"}, {"liblist_old.gam", "on-line list"}};
  for (const std::string& name : kUnique) game[name] = "my own " + name;
  for (const char* prepared : {"mapcycle.tst.txt", "bot.cfg.tst", "liblist.gam.tst"}) {
    game[prepared] = std::string("prepared ") + prepared;
  }
  for (const game_files::FileCopy& copy : kWaypoints)
    game[copy.source] = std::string("from ") + copy.source;
  return game;
}

class EveryCallTest : public ::testing::Test {
 protected:
  // Runs `work` with every call counted, then again once for each call made to fail, and once
  // for each call after a change on the disk stopping the work there, each time from `before`;
  // `check` gets what the work returned (nothing once cut short) and the files after the next
  // start put right what was left. Returns how many calls the work made.
  int EachCall(const std::string& folder, const Tree& before, const std::function<bool()>& work,
               const std::function<void(std::optional<bool>, const Tree&)>& check) {
    FaultyFileSystem counting;
    Tree now = FilesBelow(folder);
    Restore(folder, now, before);
    {
      platform::FileSystemInUse use(counting);
      EXPECT_TRUE(work());
    }
    now = FilesBelow(folder);
    const int calls = static_cast<int>(counting.calls.size());
    // A kill between two calls that change nothing on the disk leaves what a kill at the
    // second leaves.
    auto changes = [&](int n) {
      static const std::set<std::string> reading = {"read",       "size", "get time",
                                                    "attributes", "list", "list next"};
      return n == 1 || !reading.contains(counting.calls[n - 2].what);
    };
    for (bool crash : {false, true}) {
      for (int n = 1; n <= calls && !HasFailure(); ++n) {
        if (crash && !changes(n)) continue;
        SCOPED_TRACE((crash ? "stopped at call " : "failed call ") + std::to_string(n) + " of " +
                     std::to_string(calls) + ": " + counting.calls[n - 1].what + " " +
                     counting.calls[n - 1].path);
        Restore(folder, now, before);
        putBacks_.clear();
        FaultyFileSystem faulty;
        (crash ? faulty.crashAt : faulty.failAt) = n;
        std::optional<bool> done;
        {
          platform::FileSystemInUse use(faulty);
          done = work();
        }
        if (crash) done.reset();
        // The next start of the launcher.
        EXPECT_TRUE(game_files::PutBackAtStart(folder, record_).ok());
        now = FilesBelow(folder);
        check(done, now);
      }
    }
    Restore(folder, now, before);
    return calls;
  }
  testing_support::TempFolder halfLife_;
  std::vector<game_files::PutBack> putBacks_;
  game_files::PutBackReport record_ = [&](const game_files::PutBack& p) { putBacks_.push_back(p); };
};

TEST_F(EveryCallTest, ASwitchEndsWithTheOldProfileOrTheNewOneWhole) {
  const std::string game = halfLife_ / "cstrike";
  const Tree before = SmallGame();
  Restore(game, {}, before);
  const SYSTEMTIME time = {2024, 5, 5, 17, 21, 4, 9, 0};
  auto work = [&] {
    return game_files::SwitchProfile(kProfile, game, record_, {time}).result ==
           game_files::SwitchResult::kSwitched;
  };
  ASSERT_TRUE(work());
  const Tree after = Live(FilesBelow(game));
  ASSERT_EQ(after.at("maps\\b.wpt"), before.at("maps\\tst\\b.wpt"));
  ASSERT_FALSE(after.contains("maps\\c.wpt"));
  int putBack = 0;
  const int calls = EachCall(game, before, work, [&](std::optional<bool> done, const Tree& now) {
    const bool old = Live(now) == Live(before), fresh = Live(now) == after;
    EXPECT_TRUE(old || fresh) << "a mixed game";
    // A switch that reports its end is in place; one that reports a failure changed nothing.
    EXPECT_TRUE(!done || (*done ? fresh : old));
    ExpectBackupsWhole(now, before, kUnique);
    ExpectNoTemporaryFile(now);
    const bool toldOfPutBack = !putBacks_.empty();
    putBack += toldOfPutBack;
    EXPECT_TRUE(!toldOfPutBack || old);
  });
  std::cout << "[ CALLS    ] " << calls << " calls, " << putBack << " switches put back\n";
  EXPECT_GT(putBack, 0);
}

// Putting back is itself cut short at each of its calls, then run again: it ends the same.
TEST_F(EveryCallTest, PuttingBackCutShortEndsTheSameWhenRunAgain) {
  const std::string game = halfLife_ / "cstrike";
  const Tree before = SmallGame();
  Restore(game, {}, before);
  // The switch stopped after its third change to a live file.
  FaultyFileSystem switching;
  int moves = 0;
  switching.afterCall = [&](const FaultyFileSystem::Call& call) {
    if (call.what == "move" && !call.path.ends_with(".tmp") &&
        call.path.find("backups") == std::string::npos && ++moves == 3) {
      switching.crashAt = static_cast<int>(switching.calls.size()) + 1;
    }
  };
  {
    platform::FileSystemInUse use(switching);
    game_files::SwitchProfile(kProfile, game);
  }
  const Tree cutShort = FilesBelow(game);
  ASSERT_TRUE(cutShort.contains(game_files::kJournalName));
  ASSERT_NE(Live(cutShort), Live(before));
  auto work = [&] {
    game_files::PutBackAtStart(game, record_);
    return true;
  };
  EachCall(game, cutShort, work,
           [&](std::optional<bool>, const Tree& now) { EXPECT_EQ(Live(now), Live(before)); });
}

// The editor's save of a map cycle that another program changed since the editor opened it: the
// version found is kept in a backup and named, or the save fails and the file is as it was.
TEST_F(EveryCallTest, ASaveEndsWithTheOldFileOrTheNewOneAndKeepsTheChangedOne) {
  const std::string mod = halfLife_ / "valve", cycle = mod + "\\mapcycle.txt";
  ASSERT_TRUE(tools::WriteTextFile(cycle, "changed\n"));
  const Tree before = FilesBelow(mod);
  auto work = [&] {
    // Opened as bytes of the same length as those found: only their bytes tell them apart.
    return game_files::SaveCycleFile(cycle, "crossfire\r\ndatacore\r\n", "opened!\n", record_)
        .error.ok();
  };
  EachCall(mod, before, work, [&](std::optional<bool> saved, const Tree& now) {
    const std::string bytes = now.contains("mapcycle.txt") ? now.at("mapcycle.txt") : "(none)";
    EXPECT_TRUE(bytes == "changed\n" || bytes == "crossfire\r\ndatacore\r\n") << bytes;
    EXPECT_EQ(bytes, !saved ? bytes : *saved ? "crossfire\r\ndatacore\r\n" : "changed\n");
    ExpectBackupsWhole(now, before, {"mapcycle.txt"});
    ExpectNoTemporaryFile(now);
  });
}

}  // namespace
