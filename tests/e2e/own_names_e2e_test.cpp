// The launcher's clean-up (one for the put-back at start, a switch and a save) removes its own
// temporary files only: other ".tmp" files in Counter-Strike's folder and its maps folder stay.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "launcher_app.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

const std::string kGame = std::string(tools::kDemoHalfLifeFolder) + "\\cstrike\\";

constexpr const char* kOthers[] = {"notes.tmp",       "liblist.gam.tmp",       "~x.tmp",
                                   "maps\\notes.tmp", "maps\\de_dust.bsp.tmp", "maps\\~x.tmp"};
constexpr const char* kOwn[] = {
    "liblist.gam.launcher-new.tmp", "bot.cfg.launcher-backup.tmp", "mapcycle.txt.launcher-save.tmp",
    "maps\\de_dust.wpt.launcher-new.tmp", "maps\\de_nuke.wpt.launcher-old.tmp"};

TEST(OwnNamesE2E, OnlyTheLaunchersOwnTemporaryFilesGo) {
  ResetDemoGame();
  // A switch cut short as it replaced the map cycle: its journal, as a switch writes it, and the
  // old bytes beside the live file. Each temporary file holds its own name.
  const std::string rotation = FileBytes(kGame + "mapcycle.txt");
  ASSERT_TRUE(tools::WriteTextFile(kGame + "switch.launcher-journal.tmp",
                                   "Orlwin Bot Launcher switch journal 1\r\n"
                                   "old\tmapcycle.txt\r\nend\r\n"));
  ASSERT_TRUE(tools::WriteTextFile(kGame + "mapcycle.txt.launcher-old.tmp", rotation));
  ASSERT_TRUE(tools::WriteTextFile(kGame + "mapcycle.txt", "de_half_switched\r\n"));
  for (const char* name : kOthers) ASSERT_TRUE(tools::WriteTextFile(kGame + name, name));
  for (const char* name : kOwn) ASSERT_TRUE(tools::WriteTextFile(kGame + name, name));
  HWND main = nullptr;
  tools::Driver app = StartLauncher(main);
  const auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box && app.Dismiss(*box));
  EXPECT_NE(box->text.find("were put back"), std::string::npos) << box->text;
  EXPECT_EQ(FileBytes(kGame + "mapcycle.txt"), rotation);
  for (const char* name : kOthers) EXPECT_EQ(FileBytes(kGame + name), name);
  for (const char* name : kOwn) {
    EXPECT_EQ(GetFileAttributesA((kGame + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
}

}  // namespace
