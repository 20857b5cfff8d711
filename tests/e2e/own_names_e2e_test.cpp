// The launcher removes only the temporary files it names as its own: a player's notes, an editor's
// or another tool's ".tmp" files in Counter-Strike's folder and its maps folder outlive the
// put-back of a switch cut short, a switch and a save, each of which clears the launcher's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using namespace std::chrono_literals;
using tools::Driver;

const std::string kGame = std::string(tools::kDemoHalfLifeFolder) + "\\cstrike\\";

constexpr const char* kOthers[] = {"notes.tmp",       "liblist.gam.tmp",       "~x.tmp",
                                   "maps\\notes.tmp", "maps\\de_dust.bsp.tmp", "maps\\~x.tmp"};
constexpr const char* kOwn[] = {
    "liblist.gam.launcher-new.tmp", "bot.cfg.launcher-backup.tmp", "mapcycle.txt.launcher-save.tmp",
    "maps\\de_dust.wpt.launcher-new.tmp", "maps\\de_nuke.wpt.launcher-old.tmp"};

// Each file holds its own name.
void LeaveTemporaryFiles() {
  for (const char* name : kOthers) ASSERT_TRUE(tools::WriteTextFile(kGame + name, name));
  for (const char* name : kOwn) ASSERT_TRUE(tools::WriteTextFile(kGame + name, name));
}

// What `after` did wrong: each other file lost, each own file left. (Collected rather than
// reported at once, so that a failure does not keep the editor from opening for the last step.)
std::string Mistakes(const std::string& after) {
  std::string mistakes;
  for (const char* name : kOthers) {
    if (FileBytes(kGame + name) != name) mistakes += after + " lost " + name + "\n";
  }
  for (const char* name : kOwn) {
    if (GetFileAttributesA((kGame + name).c_str()) != INVALID_FILE_ATTRIBUTES) {
      mistakes += after + " left " + name + "\n";
    }
  }
  return mistakes;
}

TEST(OwnNamesE2E, OnlyTheLaunchersOwnTemporaryFilesGo) {
  ResetDemoGame();
  // A switch cut short as it replaced the map cycle: its journal, as a switch writes it, and the
  // old bytes beside the live file.
  const std::string rotation = FileBytes(kGame + "mapcycle.txt");
  ASSERT_TRUE(tools::WriteTextFile(kGame + "switch.launcher-journal.tmp",
                                   "Orlwin Bot Launcher switch journal 1\r\n"
                                   "old\tmapcycle.txt\r\nend\r\n"));
  ASSERT_TRUE(tools::WriteTextFile(kGame + "mapcycle.txt.launcher-old.tmp", rotation));
  ASSERT_TRUE(tools::WriteTextFile(kGame + "mapcycle.txt", "de_half_switched\r\n"));
  LeaveTemporaryFiles();
  HWND main = nullptr;
  Driver app = StartLauncher(main);
  auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box && app.Dismiss(*box));
  EXPECT_NE(box->text.find("were put back"), std::string::npos) << box->text;
  EXPECT_EQ(FileBytes(kGame + "mapcycle.txt"), rotation);
  std::string mistakes = Mistakes("the put-back at the start");

  LeaveTemporaryFiles();
  tools::Press(tools::FindChild(main, "NNBot"));
  box = app.WaitForMessageBox();
  ASSERT_TRUE(box && app.Dismiss(*box));
  const std::string nnbLibrary = FileBytes(kGame + "liblist.gam.nnb");
  const bool switched =
      tools::WaitUntil([&] { return FileBytes(kGame + "liblist.gam") == nnbLibrary; });
  ASSERT_TRUE(Driver::WaitIdle(main));
  box = app.WaitForMessageBox(200ms);
  ASSERT_TRUE(switched && !box) << (box ? box->text : "not switched, no message");
  mistakes += Mistakes("a switch");

  HWND editor = OpenEditor(app, main, "cstrike");
  ASSERT_NE(editor, nullptr);
  LeaveTemporaryFiles();
  tools::Press(GetDlgItem(editor, cycle_editor::FrmRotamund::kCmdSave));
  box = app.WaitForMessageBox();
  ASSERT_TRUE(box && app.Dismiss(*box));
  EXPECT_EQ(box->text, "Map Saved");
  EXPECT_EQ(mistakes + Mistakes("a save"), "");
}

}  // namespace
