// The game folder's state read from the disk through the file system in use: a folder in place of
// a live file, a prepared copy held open, and any one file call failing.
#include "game_files/game_state.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "faulty_file_system.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using game_files::ProfileId;
using testing_support::TempFolder;

std::vector<ProfileId> Live(const game_files::GameState& state) {
  std::vector<ProfileId> live;
  for (size_t i = 0; i < state.profiles.size(); ++i) {
    if (state.profiles[i].live) live.push_back(static_cast<ProfileId>(i));
  }
  return live;
}

const game_files::ProfileState& Of(const game_files::GameState& state, ProfileId id) {
  return state.profiles[static_cast<size_t>(id)];
}

class GameStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(tools::InstallDemoGame(halfLife_.path())); }
  TempFolder halfLife_;
  std::string game_ = halfLife_ / "cstrike";
};

// The demo starts with the on-line files live; no game runs from a folder of the test's own.
TEST_F(GameStateTest, FoldersAndHeldFilesAsTheDiskHasThem) {
  game_files::GameState state = game_files::ReadGameState(game_);
  EXPECT_EQ(Live(state), std::vector{ProfileId::kRestore});
  EXPECT_FALSE(state.gameRunning);

  const std::string live = game_ + "\\liblist.gam";
  ASSERT_TRUE(DeleteFileA(live.c_str()) && CreateDirectoryA(live.c_str(), nullptr));
  EXPECT_EQ(Live(game_files::ReadGameState(game_)), std::vector<ProfileId>{});
  ASSERT_TRUE(RemoveDirectoryA(live.c_str()));
  ASSERT_TRUE(tools::WriteTextFile(live, tools::DemoFileContent("liblist_old.gam")));

  const platform::UniqueHandle held = testing_support::HoldOpen(game_ + "\\liblist.gam.nnb");
  state = game_files::ReadGameState(game_);
  EXPECT_EQ(Live(state), std::vector{ProfileId::kRestore});
  EXPECT_EQ(Of(state, ProfileId::kRealbot).unreadable, std::vector<std::string>{"liblist.gam.nnb"});
  EXPECT_TRUE(Of(state, ProfileId::kAndroid).ready());
}

// Every file call goes through the file system in use, and each one failing in turn makes no
// profile live that is not: a file that cannot be read is no profile's.
TEST_F(GameStateTest, EachFileCallFailingInTurnMakesNoOtherProfileLive) {
  testing_support::FaultyFileSystem files;
  {
    const platform::FileSystemInUse inUse(files);
    EXPECT_EQ(Live(game_files::ReadGameState(game_)), std::vector{ProfileId::kRestore});
  }
  const size_t calls = files.calls.size();
  ASSERT_GT(calls, 20u);
  // It only reads, and only in the game folder.
  for (const auto& call : files.calls) {
    EXPECT_TRUE(call.what == "open" || call.what == "read" || call.what == "size" ||
                call.what.starts_with("list") || call.what == "attributes")
        << call.what << " " << call.path;
    EXPECT_TRUE(call.path.empty() || call.path.starts_with(game_ + "\\")) << call.path;
  }
  for (size_t failing = 1; failing <= calls; ++failing) {
    testing_support::FaultyFileSystem faulty;
    faulty.failAt = static_cast<int>(failing);
    const platform::FileSystemInUse inUse(faulty);
    const std::vector<ProfileId> live = Live(game_files::ReadGameState(game_));
    EXPECT_TRUE(live.empty() || live == std::vector{ProfileId::kRestore}) << "call " << failing;
  }
}

}  // namespace
