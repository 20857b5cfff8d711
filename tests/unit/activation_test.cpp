#include "app/activation.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "fakes.h"
#include "platform/status.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using app::ProfileId;
using testing_support::HoldOpen;

class ActivationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(tools::InstallDemoGame(halfLife_.path())); }

  bool Activate(ProfileId id, const std::string& folder = "",
                std::optional<SYSTEMTIME> time = std::nullopt) {
    return app::ActivateProfile(app::ProfileFor(id), folder.empty() ? game_ : folder, messages_,
                                nullptr, time);
  }
  std::string Read(const std::string& name) const {
    return testing_support::FileBytes(game_ + "\\" + name);
  }
  std::vector<std::string> Waypoints() const {
    std::vector<std::string> names = tools::FolderNames(game_ + "\\maps");
    std::erase_if(names, [](const std::string& name) { return !name.ends_with(".wpt"); });
    return names;
  }
  // Every file below `folder` by its name relative to it.
  std::map<std::string, std::string> Files(const std::string& folder) const {
    std::map<std::string, std::string> files;
    for (const std::string& name : tools::FolderNames(folder)) {
      std::string bytes;
      if (tools::ReadTextFile(folder + "\\" + name, bytes)) files[name] = bytes;
      for (auto& [below, content] : Files(folder + "\\" + name))
        files[name + "\\" + below] = content;
    }
    return files;
  }
  const std::string& LastMessage() const { return messages_.shown.back().text; }

  testing_support::TempFolder halfLife_;
  std::string game_ = halfLife_ / "cstrike";
  testing_support::RecordingMessageBoxes messages_;
};

// Starting without the live files and waypoints, which the first profiles install.
TEST_F(ActivationTest, EachProfileShowsItsMessageThenInstallsItsFiles) {
  for (const char* live : {"bot.cfg", "mapcycle.txt", "liblist.gam"}) {
    DeleteFileA((game_ + "\\" + live).c_str());
  }
  struct Row {
    ProfileId id;
    const char* message;
    const char *mapCycle, *botConfig, *libraryList;  // botConfig nullptr: left alone
    size_t waypoints;                                // 0: left alone
  };
  const Row rows[] = {
      {ProfileId::kAndroid, "Launch CS & exec and.cfg within LAN games", "mapcycle.and.txt",
       nullptr, "liblist.gam.and", 0},
      {ProfileId::kBobabot, "Launch CS, choose a BOBABOT level & bots will automatically be added",
       "mapcycle.bob.txt", nullptr, "liblist.gam.bob", 0},
      {ProfileId::kNNBot, "Launch CS, choose a NNBot level & bots will automatically be added",
       "mapcycle.nnb.txt", "bot.cfg.nnb", "liblist.gam.nnb", 7},
      {ProfileId::kRambot, "Launch CS & exec ram.cfg within LAN games", "mapcycle.ramb.txt",
       nullptr, "liblist.gam.ramb", 13},
      {ProfileId::kRealbot, "Launch CS & manually add bots within LAN games", "mapcycle.rea.txt",
       "bot.cfg.rea", "liblist.gam.nnb", 0},
      {ProfileId::kRedubot, "Launch CS, choose a REDUBOT level & bots will automatically be added",
       "mapcycle.red.txt", "bot.cfg.red", "liblist.gam.red", 0},
      {ProfileId::kSwatBot, "Launch CS, choose a SWAT level & bots will automatically be added",
       "mapcycle.swa.txt", nullptr, "liblist.gam.swa", 0},
      {ProfileId::kRestore, "Resort original CS for on-line games!", "mapcycle.old.txt", nullptr,
       "liblist_old.gam", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    messages_.shown.clear();
    const std::string botBefore = Read("bot.cfg");
    const size_t waypointsBefore = Waypoints().size();
    ASSERT_TRUE(Activate(row.id));
    ASSERT_EQ(messages_.shown.size(), 1u);
    const auto& [text, title, style] = messages_.shown[0];
    EXPECT_EQ(std::tie(text, title, style), std::tuple(row.message, "MsgBox Demonstration",
                                                       platform::MessageStyle::kInformation));
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

TEST_F(ActivationTest, WaypointSetsReplaceEachOtherAndTouchNothingElse) {
  ASSERT_TRUE(tools::WriteTextFile(game_ + "\\maps\\stray.wpt", "left over"));
  const auto prepared = Files(game_ + "\\maps\\nnb"), preparedRam = Files(game_ + "\\maps\\ram");
  ASSERT_TRUE(Activate(ProfileId::kRambot));
  ASSERT_TRUE(Activate(ProfileId::kNNBot));
  EXPECT_EQ(Waypoints(), (std::vector<std::string>{"cs_assault.wpt", "cs_docks.wpt",
                                                   "cs_estate.wpt", "cs_italy.wpt", "cs_office.wpt",
                                                   "de_dust.wpt", "de_nuke.wpt"}));
  ASSERT_TRUE(Activate(ProfileId::kRambot));
  EXPECT_EQ(Waypoints().size(), 13u);
  EXPECT_EQ(Read("maps\\cs_docks.wpt"), "(unreadable)");  // gone with the NNBot set
  EXPECT_EQ(Read("maps\\cs_assault.wpt"), Read("maps\\ram\\cs_assault.wpt"));
  EXPECT_EQ(Read("maps\\de_dust.wpt"), Read("maps\\nnb\\de_dust.wpt"));
  EXPECT_EQ(Files(game_ + "\\maps\\nnb"), prepared);
  EXPECT_EQ(Files(game_ + "\\maps\\ram"), preparedRam);
  EXPECT_EQ(Read("maps\\de_dust.bsp"), "demo map de_dust\r\n");
}

TEST_F(ActivationTest, MissingSourcesChangeNothingAndAreAllNamed) {
  DeleteFileA((game_ + "\\bot.cfg.nnb").c_str());
  DeleteFileA((game_ + "\\maps\\nnb\\de_nuke.wpt").c_str());
  const auto before = Files(game_);
  EXPECT_FALSE(Activate(ProfileId::kNNBot));
  EXPECT_EQ(Files(game_), before);
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_NE(LastMessage().find(game_ + "\\bot.cfg.nnb"), std::string::npos) << LastMessage();
  EXPECT_NE(LastMessage().find(game_ + "\\maps\\nnb\\de_nuke.wpt"), std::string::npos);
  EXPECT_EQ(messages_.shown[1].style, platform::MessageStyle::kCritical);
}

TEST_F(ActivationTest, FailuresAreReportedWithThePathAndKeepTheLiveFile) {
  // liblist.gam is held open without sharing: earlier steps stay done, it stays whole.
  const std::string live = game_ + "\\liblist.gam", before = Read("liblist.gam");
  platform::UniqueHandle held = HoldOpen(live);
  EXPECT_FALSE(Activate(ProfileId::kRedubot));
  held.reset();
  // The path, and the system's reason without its line end.
  const std::string message = LastMessage();
  EXPECT_TRUE(message.find(live) != std::string::npos && message.find('\r') == std::string::npos &&
              !std::isspace(static_cast<unsigned char>(message.back())))
      << message;
  EXPECT_EQ(Read("liblist.gam"), before);
  EXPECT_EQ(Read("mapcycle.txt"), tools::DemoFileContent("mapcycle.red.txt"));
  for (const std::string& name : tools::FolderNames(game_)) EXPECT_FALSE(name.ends_with(".tmp"));
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
  const std::map<std::string, std::string> before = Files(game_);
  ASSERT_TRUE(Activate(ProfileId::kRambot, "", time));
  ASSERT_TRUE(Activate(ProfileId::kNNBot, "", time));
  const std::string first = "2024-05-17 21.04.09\\", second = "2024-05-17 21.04.09 (2)\\";
  const std::map<std::string, std::string> kept = {
      {first + "liblist.gam", before.at("liblist.gam")},
      {first + "mapcycle.txt", own.at("mapcycle.txt")},
      {first + "maps\\cs_747.wpt", own.at("maps\\cs_747.wpt")},
      {first + "maps\\stray.wpt", own.at("maps\\stray.wpt")},
      {second + "bot.cfg", own.at("bot.cfg")}};
  EXPECT_EQ(Files(game_ + "\\launcher backups"), kept);
  // Switches between prepared copies keep nothing, in the same second or later; the restore
  // stops, as its on-line copies are missing.
  for (ProfileId id : {ProfileId::kRambot, ProfileId::kRealbot, ProfileId::kNNBot,
                       ProfileId::kAndroid, ProfileId::kRestore}) {
    EXPECT_EQ(Activate(id), id != ProfileId::kRestore);
    EXPECT_EQ(Activate(id, "", time), id != ProfileId::kRestore);
  }
  EXPECT_EQ(Files(game_ + "\\launcher backups"), kept);
}

// A backup that cannot be made stops the switch before its live file, which stays as it was.
TEST_F(ActivationTest, BackupThatCannotBeMadeStopsTheSwitchBeforeItsFile) {
  ASSERT_TRUE(tools::WriteTextFile(game_ + "\\mapcycle.txt", "my own rotation"));
  ASSERT_TRUE(tools::WriteTextFile(game_ + "\\launcher backups", "a file in the folder's place"));
  const auto before = Files(game_);
  EXPECT_FALSE(Activate(ProfileId::kSwatBot));
  EXPECT_EQ(Files(game_), before);
  EXPECT_NE(LastMessage().find("Could not back up \"" + game_ + "\\mapcycle.txt\""),
            std::string::npos)
      << LastMessage();
  EXPECT_NE(LastMessage().find(platform::SystemErrorText(ERROR_ALREADY_EXISTS)), std::string::npos);
}

}  // namespace
