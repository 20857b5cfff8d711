#include "game_files/profile_switch.h"

#include "game_files/folder_turn.h"
#include "platform/writer_turn.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>

#include "faulty_file_system.h"
#include "platform/status.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using game_files::ProfileId;
using game_files::SwitchResult;
using testing_support::FilesBelow;
using testing_support::HoldOpen;

class ActivationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(tools::InstallDemoGame(halfLife_.path())); }

  // Switches to the profile; true when every live file is the profile's.
  bool Activate(ProfileId id, game_files::SwitchOptions options = {}) {
    last_ = game_files::SwitchProfile(
        game_files::ProfileFor(id), game_,
        [&](const game_files::PutBack& putBack) { putBacks_.push_back(putBack); }, options);
    return last_.result == SwitchResult::kSwitched;
  }
  std::string Read(const std::string& name) const {
    return testing_support::FileBytes(game_ + "\\" + name);
  }
  std::vector<std::string> Waypoints() const {
    std::vector<std::string> names = tools::FolderNames(game_ + "\\maps");
    std::erase_if(names, [](const std::string& name) { return !name.ends_with(".wpt"); });
    return names;
  }
  testing_support::TempFolder halfLife_;
  std::string game_ = halfLife_ / "cstrike";
  game_files::SwitchOutcome last_;
  std::vector<game_files::PutBack> putBacks_;
};

// Starting without the live files and waypoints, which the first profiles install.
TEST_F(ActivationTest, EachProfileInstallsItsFiles) {
  for (const char* live : {"bot.cfg", "mapcycle.txt", "liblist.gam"}) {
    DeleteFileA((game_ + "\\" + live).c_str());
  }
  struct Row {
    ProfileId id;
    const char *mapCycle, *botConfig, *libraryList;  // botConfig nullptr: left alone
    size_t waypoints;                                // 0: left alone
  };
  const Row rows[] = {
      {ProfileId::kAndroid, "mapcycle.and.txt", nullptr, "liblist.gam.and", 0},
      {ProfileId::kBobabot, "mapcycle.bob.txt", nullptr, "liblist.gam.bob", 0},
      {ProfileId::kNNBot, "mapcycle.nnb.txt", "bot.cfg.nnb", "liblist.gam.nnb", 7},
      {ProfileId::kRambot, "mapcycle.ramb.txt", nullptr, "liblist.gam.ramb", 13},
      {ProfileId::kRealbot, "mapcycle.rea.txt", "bot.cfg.rea", "liblist.gam.nnb", 0},
      {ProfileId::kRedubot, "mapcycle.red.txt", "bot.cfg.red", "liblist.gam.red", 0},
      {ProfileId::kSwatBot, "mapcycle.swa.txt", nullptr, "liblist.gam.swa", 0},
      {ProfileId::kRestore, "mapcycle.old.txt", nullptr, "liblist_old.gam", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(game_files::ProfileFor(row.id).name);
    const std::string botBefore = Read("bot.cfg");
    const size_t waypointsBefore = Waypoints().size();
    ASSERT_TRUE(Activate(row.id));
    EXPECT_EQ(Read("mapcycle.txt"), tools::DemoFileContent(row.mapCycle));
    EXPECT_EQ(Read("liblist.gam"), tools::DemoFileContent(row.libraryList));
    EXPECT_EQ(Read("bot.cfg"), row.botConfig ? tools::DemoFileContent(row.botConfig) : botBefore);
    EXPECT_EQ(Waypoints().size(), row.waypoints ? row.waypoints : waypointsBefore);
  }
  // Every file replaced was a prepared copy: no backup was needed.
  EXPECT_EQ(tools::FolderNames(game_ + "\\launcher backups").size(), 0u);
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(lstrcmpiA(current, game_.c_str()), 0);
}

// Every missing prepared copy is named before anything changes; one renamed in Explorer, which
// hides ".txt", with an extension too many, is named beside it, and nothing is renamed.
TEST_F(ActivationTest, MissingSourcesNameTheFilesThatDifferOnlyByAHiddenExtension) {
  DeleteFileA((game_ + "\\bot.cfg.nnb").c_str());
  ASSERT_TRUE(MoveFileA((game_ + "\\mapcycle.nnb.txt").c_str(),
                        (game_ + "\\mapcycle.nnb.txt.txt").c_str()));
  ASSERT_TRUE(
      MoveFileA((game_ + "\\liblist.gam.nnb").c_str(), (game_ + "\\liblist.gam.nnb.txt").c_str()));
  ASSERT_TRUE(MoveFileA((game_ + "\\maps\\nnb\\de_nuke.wpt").c_str(),
                        (game_ + "\\maps\\nnb\\de_nuke.wpt.TXT").c_str()));
  const auto before = FilesBelow(game_);
  EXPECT_FALSE(Activate(ProfileId::kNNBot));
  EXPECT_EQ(FilesBelow(game_), before);
  EXPECT_EQ(last_.result, SwitchResult::kSourcesMissing);
  using Missing = std::pair<std::string, std::vector<std::string>>;
  std::vector<Missing> missing;
  for (const auto& file : last_.missing) missing.emplace_back(file.path, file.nearMisses);
  EXPECT_EQ(missing,
            (std::vector<Missing>{{game_ + "\\mapcycle.nnb.txt", {"mapcycle.nnb.txt.txt"}},
                                  {game_ + "\\maps\\nnb\\de_nuke.wpt", {"de_nuke.wpt.TXT"}},
                                  {game_ + "\\bot.cfg.nnb", {}},
                                  {game_ + "\\liblist.gam.nnb", {"liblist.gam.nnb.txt"}}}));
}

// The live files: no backups, and none of the files a switch keeps beside them (".tmp"), which
// stay while another program holds the live file open (the next switch removes them).
std::map<std::string, std::string> LiveFiles(std::map<std::string, std::string> files,
                                             bool temporaries = false) {
  std::erase_if(files, [&](const auto& file) {
    const bool temporary = file.first.ends_with(".tmp");
    return temporaries ? !temporary : temporary || file.first.starts_with("launcher backups");
  });
  return files;
}
const std::map<std::string, std::string> kNone;

// From Rambot to NNBot, a file held open without sharing from the start (a prepared copy or a
// live file) or from the moment the map cycle, the first live file, was replaced (the switch puts
// back what it changed): every live file stays as it was, and nothing is left beside them.
TEST_F(ActivationTest, AFileHeldOpenStopsTheSwitchAndEveryLiveFileStaysAsItWas) {
  ASSERT_TRUE(Activate(ProfileId::kRambot));
  ASSERT_TRUE(tools::WriteTextFile(game_ + "\\maps\\stray.wpt", "my stray"));
  const auto before = FilesBelow(game_);
  struct Row {
    const char* held;
    bool fromTheStart;
    SwitchResult result;
    DWORD share = 0;
  };
  const Row rows[] = {
      {"maps\\nnb\\de_nuke.wpt", true, SwitchResult::kSourcesUnreadable},
      {"liblist.gam", true, SwitchResult::kHeldOpen, FILE_SHARE_READ},  // as the game reads it
      {"liblist.gam", false, SwitchResult::kNotChanged},
      {"maps\\de_dust.wpt", false, SwitchResult::kNotChanged},
      {"maps\\stray.wpt", false, SwitchResult::kNotChanged}};  // to be removed
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.held) + (row.fromTheStart ? " from the start" : " later"));
    const std::string held = game_ + "\\" + row.held;
    platform::UniqueHandle holder;
    if (row.fromTheStart) holder = HoldOpen(held, GENERIC_READ, row.share);
    testing_support::FaultyFileSystem files;
    files.afterCall = [&](const testing_support::FaultyFileSystem::Call& call) {
      if (!holder && call.what == "move" && call.path == game_ + "\\mapcycle.txt") {
        holder = HoldOpen(held);
      }
    };
    {
      platform::FileSystemInUse use(files);
      EXPECT_FALSE(Activate(ProfileId::kNNBot));
    }
    holder.reset();
    // Old bytes kept beside a file held open cannot go until it is closed: the next switch
    // removes them.
    if (row.fromTheStart) {
      EXPECT_EQ(LiveFiles(FilesBelow(game_), true), kNone);
    }
    EXPECT_EQ(LiveFiles(FilesBelow(game_)), LiveFiles(before));
    EXPECT_EQ(last_.result, row.result);
    const std::string named = row.result == SwitchResult::kNotChanged ? last_.error.action()
                              : row.result == SwitchResult::kHeldOpen ? last_.heldOpen.at(0).path
                                                                      : last_.unreadable.at(0).path;
    EXPECT_NE(named.find(held), std::string::npos) << named;
    if (row.result == SwitchResult::kSourcesUnreadable) {  // named with the system's reason
      EXPECT_EQ(last_.unreadable.at(0).code, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    }
  }
  ASSERT_TRUE(Activate(ProfileId::kNNBot));
  EXPECT_EQ(LiveFiles(FilesBelow(game_), true), kNone);
}

// An undo that fails too (the new map cycle held open once it is in place, the library list
// held from then on) says which files are new; every other file is as it was.
TEST_F(ActivationTest, AnUndoThatFailsNamesTheFilesLeftNew) {
  ASSERT_TRUE(Activate(ProfileId::kRambot));
  auto expected = FilesBelow(game_);
  expected["mapcycle.txt"] = Read("mapcycle.nnb.txt");
  std::vector<platform::UniqueHandle> held;
  testing_support::FaultyFileSystem files;
  files.afterCall = [&](const testing_support::FaultyFileSystem::Call& call) {
    if (call.what != "move" || call.path != game_ + "\\mapcycle.txt" || !held.empty()) return;
    held.push_back(HoldOpen(call.path));
    held.push_back(HoldOpen(game_ + "\\liblist.gam"));
  };
  {
    platform::FileSystemInUse use(files);
    EXPECT_FALSE(Activate(ProfileId::kNNBot));
  }
  held.clear();
  EXPECT_EQ(LiveFiles(FilesBelow(game_)), LiveFiles(expected));
  EXPECT_EQ(last_.result, SwitchResult::kLeftHalfway);
  EXPECT_EQ(last_.error.action(), "Could not replace \"" + game_ + "\\liblist.gam\"");
  EXPECT_EQ(last_.undoError.action(), "Could not replace \"" + game_ + "\\mapcycle.txt\"");
  EXPECT_EQ(last_.fresh, std::vector<std::string>{game_ + "\\mapcycle.txt"});
  EXPECT_EQ(last_.removed, std::vector<std::string>{});
  // The journal stays: the next switch puts the map cycle back first, then goes through.
  ASSERT_TRUE(Activate(ProfileId::kNNBot));
  ASSERT_EQ(putBacks_.size(), 1u);
  EXPECT_EQ(putBacks_[0].folder, game_);
  EXPECT_EQ(Read("mapcycle.txt"), Read("mapcycle.nnb.txt"));
  EXPECT_EQ(LiveFiles(FilesBelow(game_), true), kNone);
}

// While another launcher works in the folder (its turn taken and kept on a thread of its own: a
// thread that waits for a mutex it owns would take it at once), the start-up leaves what it finds
// there for later and says nothing; a switch waits for it, then changes nothing and says why.
TEST_F(ActivationTest, AnotherLaunchersTurnIsWaitedForAndNothingChanges) {
  ASSERT_TRUE(tools::WriteTextFile(game_ + "\\liblist.gam.launcher-new.tmp", "staged"));
  const auto before = FilesBelow(game_);
  const platform::UniqueHandle taken(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  auto other = [&] {
    platform::WriterTurn turn;
    platform::WriterTurn::Take(game_, turn);
    SetEvent(taken.get());
    WaitForSingleObject(done.get(), INFINITE);
  };
  const platform::UniqueHandle thread = testing_support::StartThread(other);
  WaitForSingleObject(taken.get(), INFINITE);
  EXPECT_TRUE(game_files::PutBackAtStart(game_, {}).ok());
  EXPECT_FALSE(Activate(ProfileId::kNNBot));
  SetEvent(done.get());
  WaitForSingleObject(thread.get(), INFINITE);
  EXPECT_EQ(last_.result, SwitchResult::kTurnBusy);
  EXPECT_EQ(FilesBelow(game_), before);
}

// Windows refuses to replace or delete a read-only file, Wine does not: each one a switch would
// replace or remove is named before anything changes, and its attribute stays.
TEST_F(ActivationTest, ReadOnlyLiveFilesAreNamedAndNothingChanges) {
  ASSERT_TRUE(Activate(ProfileId::kRambot));
  ASSERT_TRUE(tools::WriteTextFile(game_ + "\\maps\\stray.wpt", "my stray"));
  const std::vector<std::string> readOnly = {game_ + "\\liblist.gam", game_ + "\\maps\\stray.wpt",
                                             game_ + "\\maps\\cs_assault.wpt"};
  for (const std::string& path : readOnly) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  }
  const auto before = FilesBelow(game_);
  EXPECT_FALSE(Activate(ProfileId::kNNBot));
  EXPECT_EQ(FilesBelow(game_), before);
  EXPECT_EQ(last_.result, SwitchResult::kReadOnly);
  EXPECT_EQ(last_.readOnly, (std::vector<std::string>{readOnly[2], readOnly[1], readOnly[0]}));
  for (const std::string& path : readOnly) {
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// Without the on-line copies, with a bot.cfg, a replaced and a removed waypoint of the player's
// own, and a removed one that NNBot's folder holds: Rambot, then NNBot in the same second.
TEST_F(ActivationTest, LiveFilesInNoPreparedCopyAreKeptByteForByteOnceAndNeverOverwritten) {
  const SYSTEMTIME time = {2024, 5, 5, 17, 21, 4, 9, 0};
  for (const char* online : {"mapcycle.old.txt", "liblist_old.gam"}) {
    ASSERT_TRUE(DeleteFileA((game_ + "\\" + online).c_str()));
  }
  const std::map<std::string, std::string> own = {
      {"bot.cfg", "my bot.cfg"},
      {"mapcycle.txt", "de_mine\r\n"},
      {"maps\\cs_747.wpt", std::string("my\0cs_747\r\n\x1a", 13)},
      {"maps\\stray.wpt", "my stray"},
      {"maps\\cs_docks.wpt", Read("maps\\nnb\\cs_docks.wpt")}};
  for (const auto& [name, bytes] : own) {
    ASSERT_TRUE(tools::WriteTextFile(game_ + "\\" + name, bytes));
  }
  const std::map<std::string, std::string> before = FilesBelow(game_);
  ASSERT_TRUE(Activate(ProfileId::kRambot, {time}));
  ASSERT_TRUE(Activate(ProfileId::kNNBot, {time}));
  const std::string first = "2024-05-17 21.04.09\\", second = "2024-05-17 21.04.09 (2)\\";
  const std::map<std::string, std::string> kept = {
      {first + "liblist.gam", before.at("liblist.gam")},
      {first + "mapcycle.txt", own.at("mapcycle.txt")},
      {first + "maps\\cs_747.wpt", own.at("maps\\cs_747.wpt")},
      {first + "maps\\stray.wpt", own.at("maps\\stray.wpt")},
      {second + "bot.cfg", own.at("bot.cfg")}};
  EXPECT_EQ(FilesBelow(game_ + "\\launcher backups"), kept);
}

}  // namespace
