// Start-up, the way to the mod chooser and back, and the launch failures,
// with the real windows in-process and the message boxes recorded.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <regex>

#include "app/game_launch.h"
#include "app/launcher.h"
#include "app/program.h"
#include "fakes.h"
#include "mod_chooser/frm_mods.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using app::FormId;
using platform::MessageStyle;
using testing_support::RecordingMessageBoxes;
using testing_support::ScriptedRandom;
using testing_support::TempFolder;

constexpr char kKey[] = "Software\\Valve\\Half-Life";

std::optional<std::string> ReadInstallPathValue() {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, kKey, "InstallPath", RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

void SetInstallPath(const std::optional<std::string>& value) {
  if (value) {
    ASSERT_TRUE(tools::SetRegistryString(HKEY_LOCAL_MACHINE, kKey, "InstallPath", *value));
  } else {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kKey, "InstallPath");
  }
}

class ChooserWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tools::WriteTextFile(install_ / "cstrike\\mapcycle.txt", "de_dust\r\n"));
    ASSERT_TRUE(tools::WriteTextFile(install_ / "valve\\mapcycle.txt", "crossfire\r\n"));
    ASSERT_TRUE(tools::MakeFolders(install_ / "dod"));
    SetInstallPath(install_.path());
  }
  void TearDown() override { SetInstallPath(saved_); }

  // Start, then "Map Cycle".
  void GoToChooser() {
    program_.Show(FormId::kLauncher);
    ASSERT_TRUE(program_.IsLoaded(FormId::kLauncher));
    program_.launcher().cycle_Click();
    program_.ReleaseUnloaded();
  }

  const std::optional<std::string> saved_ = ReadInstallPathValue();
  TempFolder install_;
  RecordingMessageBoxes messages_;
  ScriptedRandom random_;
  app::Program program_{{messages_, random_}};
};

TEST_F(ChooserWindow, MapCycleThenExitReadsTheInstallPathEachTime) {
  GoToChooser();
  EXPECT_EQ(program_.HLPath, install_.path());
  EXPECT_FALSE(program_.IsLoaded(FormId::kLauncher));
  ASSERT_TRUE(program_.IsLoaded(FormId::kMods));
  EXPECT_TRUE(program_.frmMODS().IsVisible());
  EXPECT_EQ(program_.frmMODS().lstModList().Texts(),
            (std::vector<std::string>{"cstrike", "valve"}));
  EXPECT_EQ(program_.frmMODS().lstModList().SelectedCount(), 0);

  TempFolder elsewhere;
  SetInstallPath(elsewhere.path());
  program_.frmMODS().cmdClose_Click();
  program_.ReleaseUnloaded();
  EXPECT_FALSE(program_.IsLoaded(FormId::kMods));
  ASSERT_TRUE(program_.IsLoaded(FormId::kLauncher));
  EXPECT_TRUE(program_.launcher().IsVisible());
  EXPECT_EQ(program_.HLPath, elsewhere.path());

  SetInstallPath(std::nullopt);
  program_.launcher().cycle_Click();
  program_.ReleaseUnloaded();
  EXPECT_EQ(program_.HLPath, "No Name");
  EXPECT_FALSE(program_.ended());
}

TEST_F(ChooserWindow, EmptyInstallPathRefusesToStartAndTheProgramEnds) {
  SetInstallPath("");
  GoToChooser();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Half Life is not installed on this machine");
  EXPECT_EQ(messages_.shown[0].title, "Cannot Start");
  EXPECT_EQ(messages_.shown[0].style, MessageStyle::kCritical);
  EXPECT_FALSE(program_.IsLoaded(FormId::kMods));
  EXPECT_FALSE(program_.IsLoaded(FormId::kLauncher));
  EXPECT_TRUE(program_.ended());
}

TEST_F(ChooserWindow, NothingToListLeavesAnEmptyChooserAfterSayingWhere) {
  struct Case {
    std::optional<std::string> installPath;
    std::string pattern;
  };
  // "." and ".." only exist in a folder that exists.
  const Case cases[] = {{std::nullopt, "No Name\\*."}, {install_ / "gone", install_ / "gone\\*."}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    SetInstallPath(c.installPath);
    messages_.shown.clear();
    GoToChooser();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "No files present in: " + c.pattern);
    EXPECT_EQ(messages_.shown[0].title, "Cannot Continue");
    EXPECT_EQ(messages_.shown[0].style, MessageStyle::kCritical);
    ASSERT_TRUE(program_.IsLoaded(FormId::kMods));
    EXPECT_TRUE(program_.frmMODS().IsVisible());
    EXPECT_EQ(program_.frmMODS().lstModList().Count(), 0);
    program_.frmMODS().cmdClose_Click();
    program_.ReleaseUnloaded();
  }
}

TEST_F(ChooserWindow, AFailedListingIsReportedAndTheChooserStillShows) {
  SetInstallPath("C:\\Games<1>");
  GoToChooser();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_NE(messages_.shown[0].text.find("C:\\Games<1>\\*."), std::string::npos)
      << messages_.shown[0].text;
  EXPECT_EQ(messages_.shown[0].style, MessageStyle::kCritical);
  ASSERT_TRUE(program_.IsLoaded(FormId::kMods));
  EXPECT_TRUE(program_.frmMODS().IsVisible());
}

TEST_F(ChooserWindow, PictureShowsThePlainAboutBox) {
  GoToChooser();
  program_.frmMODS().Image1_Click();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].title, std::nullopt);
  EXPECT_EQ(messages_.shown[0].style, MessageStyle::kPlain);
  // Credit line, empty line, web address, e-mail indented by 18 spaces;
  // bare line feeds.
  const std::regex layout(R"([^\n]+\n\n[^\n]*example\.org[^\n]*\n {18}[^ \n]+@example\.org)");
  EXPECT_TRUE(std::regex_match(messages_.shown[0].text, layout)) << messages_.shown[0].text;
}

TEST(GameLaunch, AMissingFolderOrGameIsReportedAndNothingStarts) {
  TempFolder game;
  struct Case {
    std::string folder, named;
  };
  const Case cases[] = {{game / "missing", game / "missing"}, {game.path(), game / "hl.exe"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    RecordingMessageBoxes messages;
    EXPECT_FALSE(app::LaunchGame(c.folder, messages, nullptr));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(c.named), std::string::npos) << messages.shown[0].text;
    EXPECT_EQ(messages.shown[0].style, MessageStyle::kCritical);
  }
}

}  // namespace
