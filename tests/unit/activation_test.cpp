#include "app/activation.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "fakes.h"
#include "platform/files.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using app::ProfileId;
using testing_support::RecordingMessageBoxes;
using testing_support::TempFolder;

class ActivationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(tools::InstallDemoGame(halfLife_.path())); }

  bool Activate(ProfileId id) {
    return app::ActivateProfile(app::ProfileFor(id), game(), messages_, nullptr);
  }
  std::string game() const { return halfLife_ / "cstrike"; }
  std::string Read(const std::string& name) const {
    std::string bytes;
    EXPECT_TRUE(tools::ReadTextFile(game() + "\\" + name, bytes)) << name;
    return bytes;
  }
  std::vector<std::string> Waypoints() const {
    std::vector<std::string> names;
    for (const std::string& name : tools::FolderNames(game() + "\\maps")) {
      if (name.size() > 4 && name.substr(name.size() - 4) == ".wpt") names.push_back(name);
    }
    return names;
  }
  // Every file of the game folder with its content, for "nothing changed".
  std::string Snapshot(const std::string& folder) const {
    std::string all;
    for (const std::string& name : tools::FolderNames(folder)) {
      std::string path = folder + "\\" + name, bytes;
      if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        all += "[" + name + "]" + Snapshot(path);
      } else {
        tools::ReadTextFile(path, bytes);
        all += name + "=" + bytes + ";";
      }
    }
    return all;
  }

  TempFolder halfLife_;
  RecordingMessageBoxes messages_;
};

struct Expected {
  ProfileId id;
  const char* message;
  const char* mapCycle;
  const char* botConfig;  // nullptr: bot.cfg untouched
  const char* libraryList;
  size_t waypoints;  // 0: waypoints untouched
};

TEST_F(ActivationTest, EachProfileInstallsItsFilesAfterItsMessage) {
  const Expected profiles[] = {
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
  for (const Expected& expected : profiles) {
    SCOPED_TRACE(expected.message);
    messages_.shown.clear();
    std::string botBefore = Read("bot.cfg");
    std::vector<std::string> waypointsBefore = Waypoints();

    ASSERT_TRUE(Activate(expected.id));

    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, expected.message);
    EXPECT_EQ(messages_.shown[0].title, "MsgBox Demonstration");
    EXPECT_EQ(messages_.shown[0].style, platform::MessageStyle::kInformation);
    EXPECT_EQ(Read("mapcycle.txt"), Read(expected.mapCycle));
    EXPECT_EQ(Read("liblist.gam"), Read(expected.libraryList));
    EXPECT_EQ(Read("bot.cfg"), expected.botConfig ? Read(expected.botConfig) : botBefore);
    if (expected.waypoints) {
      EXPECT_EQ(Waypoints().size(), expected.waypoints);
    } else {
      EXPECT_EQ(Waypoints(), waypointsBefore);
    }
    // The prepared copies stay where they are.
    EXPECT_EQ(Read(expected.mapCycle), tools::DemoFileContent(expected.mapCycle));
  }
}

TEST_F(ActivationTest, LeavesTheGameFolderCurrent) {
  ASSERT_TRUE(Activate(ProfileId::kAndroid));
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(lstrcmpiA(current, game().c_str()), 0);
}

TEST_F(ActivationTest, WaypointSetsReplaceEachOtherExactly) {
  ASSERT_TRUE(tools::WriteTextFile(game() + "\\maps\\stray.wpt", "left over"));
  ASSERT_TRUE(Activate(ProfileId::kRambot));
  ASSERT_TRUE(Activate(ProfileId::kNNBot));
  EXPECT_EQ(Waypoints(), (std::vector<std::string>{"cs_assault.wpt", "cs_docks.wpt",
                                                   "cs_estate.wpt", "cs_italy.wpt",
                                                   "cs_office.wpt", "de_dust.wpt", "de_nuke.wpt"}));
  EXPECT_EQ(Read("maps\\cs_italy.wpt"), Read("maps\\nnb\\cs_italy.wpt"));

  ASSERT_TRUE(Activate(ProfileId::kRambot));
  EXPECT_EQ(Waypoints(), (std::vector<std::string>{
                             "cs_747.wpt", "cs_assault.wpt", "cs_estate.wpt", "cs_iraq.wpt",
                             "cs_italy.wpt", "cs_militia.wpt", "cs_tomte.wpt", "de_aztec.wpt",
                             "de_cbble.wpt", "de_dust.wpt", "de_nuke.wpt", "de_prodigy.wpt",
                             "de_train.wpt"}));
  EXPECT_EQ(Read("maps\\cs_assault.wpt"), Read("maps\\ram\\cs_assault.wpt"));
  EXPECT_EQ(Read("maps\\de_dust.wpt"), Read("maps\\nnb\\de_dust.wpt"));
  // Maps and the waypoint folders are never touched.
  EXPECT_EQ(tools::FolderNames(game() + "\\maps\\nnb").size(), 7u);
  EXPECT_EQ(tools::FolderNames(game() + "\\maps\\ram").size(), 10u);
  EXPECT_TRUE(platform::FileExists(game() + "\\maps\\de_dust.bsp"));
}

TEST_F(ActivationTest, MissingLiveFilesAndNoWaypointsDoNotStopIt) {
  DeleteFileA((game() + "\\bot.cfg").c_str());
  DeleteFileA((game() + "\\mapcycle.txt").c_str());
  ASSERT_TRUE(Activate(ProfileId::kNNBot));
  EXPECT_EQ(Read("bot.cfg"), Read("bot.cfg.nnb"));
  EXPECT_EQ(Read("liblist.gam"), Read("liblist.gam.nnb"));
  EXPECT_EQ(Waypoints().size(), 7u);
}

TEST_F(ActivationTest, MissingSourcesChangeNothingAndAreAllNamed) {
  DeleteFileA((game() + "\\bot.cfg.nnb").c_str());
  DeleteFileA((game() + "\\maps\\nnb\\de_nuke.wpt").c_str());
  std::string before = Snapshot(game());

  EXPECT_FALSE(Activate(ProfileId::kNNBot));

  EXPECT_EQ(Snapshot(game()), before);
  ASSERT_EQ(messages_.shown.size(), 2u);
  const std::string& report = messages_.shown[1].text;
  EXPECT_NE(report.find(game() + "\\bot.cfg.nnb"), std::string::npos) << report;
  EXPECT_NE(report.find(game() + "\\maps\\nnb\\de_nuke.wpt"), std::string::npos) << report;
  EXPECT_EQ(messages_.shown[1].style, platform::MessageStyle::kCritical);
}

TEST_F(ActivationTest, MissingGameFolderStillShowsTheMessageAndReportsThePath) {
  std::string missing = halfLife_ / "nowhere";
  EXPECT_FALSE(app::ActivateProfile(app::ProfileFor(ProfileId::kAndroid), missing, messages_,
                                    nullptr));
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[0].text, "Launch CS & exec and.cfg within LAN games");
  EXPECT_NE(messages_.shown[1].text.find(missing), std::string::npos);
}

TEST_F(ActivationTest, FailedStepStopsAndKeepsTheLiveFile) {
  // A folder in the place of the temporary copy's target cannot be replaced:
  // make liblist.gam a folder so the last step fails.
  DeleteFileA((game() + "\\liblist.gam").c_str());
  ASSERT_TRUE(CreateDirectoryA((game() + "\\liblist.gam").c_str(), nullptr));
  EXPECT_FALSE(Activate(ProfileId::kRedubot));
  EXPECT_EQ(Read("mapcycle.txt"), Read("mapcycle.red.txt"));  // earlier steps stay done
  EXPECT_EQ(Read("bot.cfg"), Read("bot.cfg.red"));
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_NE(messages_.shown[1].text.find("liblist.gam"), std::string::npos);
  // No temporary file is left behind.
  for (const std::string& name : tools::FolderNames(game())) {
    EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  }
}

TEST_F(ActivationTest, LockedLiveFileIsReportedAndKept) {
  std::string live = game() + "\\liblist.gam";
  std::string before = Read("liblist.gam");
  HANDLE locked = CreateFileA(live.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Activate(ProfileId::kAndroid));
  CloseHandle(locked);
  EXPECT_EQ(Read("liblist.gam"), before);
  EXPECT_EQ(Read("mapcycle.txt"), Read("mapcycle.and.txt"));
}

}  // namespace
