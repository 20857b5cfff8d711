// Faults met by the real launcher.exe on the real Wine file system while it saves a map cycle or
// switches to NNBot: a full disk or an immutable file or folder (tests/faults/run_fault_case.sh),
// a kill mid-work. After a failure every file is old; after a kill and the next start or save,
// every file is old or new and no temporary file is left.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <map>

#include "cycle_editor/frm_rotamund.h"
#include "game_files/profiles.h"
#include "game_files/switch_journal.h"
#include "launcher_app.h"
#include "platform/file_system.h"
#include "platform/files.h"
#include "platform/status.h"
#include "support/file_tree.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using namespace std::chrono_literals;
using tools::Driver;

constexpr char kGame[] = "C:\\SIERRA\\Half-Life\\cstrike";
constexpr int kCycleLines = 32000;

using Files = std::map<std::string, std::string>;  // name below a folder -> bytes

// The files directly in a folder and in its "maps" folder; temporary files apart.
struct Tree {
  Files files;
  std::vector<std::string> temporaries;
};

Tree Collect(const std::string& folder) {
  Tree tree;
  for (const std::string sub : {"", "maps\\"}) {
    for (const std::string& name : tools::FolderNames(sub.empty() ? folder : folder + "\\maps")) {
      std::string path = folder + "\\" + sub + name, bytes;
      if (name.ends_with(".tmp")) {
        tree.temporaries.push_back(path);
      } else if (tools::ReadTextFile(path, bytes)) {
        tree.files[sub + name] = bytes;
      }
    }
  }
  return tree;
}

// `folder` holds exactly `files`, byte for byte, and the temporary files `temporaries`.
void ExpectFiles(const std::string& folder, const Files& files,
                 const std::vector<std::string>& temporaries = {}) {
  const Tree now = Collect(folder);
  for (const auto& [name, bytes] : files) {
    EXPECT_TRUE(now.files.contains(name) && now.files.at(name) == bytes) << name << " differs";
  }
  for (const auto& entry : now.files) EXPECT_TRUE(files.contains(entry.first)) << entry.first;
  EXPECT_EQ(now.temporaries, temporaries);
}

// One start of the program, up to the moment `go` starts the work.
struct Running {
  Driver app;
  std::function<void()> go;  // posts the message that starts the work
  HWND box = nullptr;        // the message whose OK starts the switch
};

// A piece of work: the files in `folder` before and after it (a switch's: its map cycle and library
// list) and how to start it.
struct Work {
  std::string folder;
  Files before, after;
  std::function<Running()> start;
  bool noBackup = false;  // a failure must leave no backup behind
};

// Saving a modification "big" below `halfLife` whose mapcycle.txt holds kCycleLines lines that end
// in LF alone, as other tools write them; saving it unchanged rewrites them with CR LF.
Work SaveWork(const std::string& halfLife) {
  Work work;
  work.folder = halfLife + "\\big";
  work.before = {{"maps\\extra.bsp", "map"}};
  work.after = work.before;
  for (int i = 0; i < kCycleLines; ++i) {
    work.before["mapcycle.txt"] += "de_map_" + std::to_string(i) + "\n";
    work.after["mapcycle.txt"] += "de_map_" + std::to_string(i) + "\r\n";
  }
  tools::RemoveTree(halfLife);
  for (const auto& [name, bytes] : work.before) {
    EXPECT_TRUE(tools::WriteTextFile(work.folder + "\\" + name, bytes)) << name;
  }
  EXPECT_TRUE(tools::RegisterInstallPath(halfLife));
  work.start = [] {
    HWND main = nullptr;
    Driver app = StartLauncher(main);
    HWND editor = OpenEditor(app, main, "big");
    HWND save = GetDlgItem(editor, cycle_editor::FrmRotamund::kCmdSave);
    return Running{std::move(app), [save] { tools::Press(save); }};
  };
  return work;
}

// Switching to NNBot after a Rambot switch, with live waypoints of other contents and a stray one;
// NNBot's prepared waypoints are `bytes` long each.
Work SwitchWork(size_t bytes) {
  ResetDemoGame();
  const std::string game = std::string(kGame) + "\\";
  for (const game_files::FileCopy& copy :
       game_files::ProfileFor(game_files::ProfileId::kRambot).waypoints) {
    EXPECT_TRUE(
        tools::WriteTextFile(game + copy.destination, std::string("old ") + copy.destination));
  }
  EXPECT_TRUE(tools::WriteTextFile(game + "maps\\stray.wpt", "stray"));
  const game_files::Profile& nnb = game_files::ProfileFor(game_files::ProfileId::kNNBot);
  for (const game_files::FileCopy& copy : nnb.waypoints) {
    std::string content;
    while (content.size() < bytes) content += std::string(copy.source) + " ";
    EXPECT_TRUE(tools::WriteTextFile(game + copy.source, content));
  }
  Work work;
  work.folder = kGame;
  work.before = Collect(kGame).files;
  work.after = {{"mapcycle.txt", FileBytes(game + nnb.mapCycleSource)},
                {"liblist.gam", FileBytes(game + nnb.libraryListSource)}};
  work.start = [] {
    HWND main = nullptr;
    Driver app = StartLauncher(main);
    tools::Press(tools::FindChild(main, "NNBot"));
    HWND box = app.WaitForMessageBox().value_or(tools::MessageBoxSeen{}).window;
    EXPECT_NE(box, nullptr) << "no NNBot message";
    return Running{std::move(app), [box] { PostMessageA(box, WM_COMMAND, IDOK, 0); }, box};
  };
  return work;
}

// Switching to NNBot from the player's own map cycle, larger than the space run_fault_case.sh
// leaves free: its backup cannot be written, and it is the first file a switch replaces.
Work BackupWork() {
  Work work = SwitchWork(16 << 10);
  std::string own;
  while (own.size() < (256 << 10)) own += "de_own_" + std::to_string(own.size()) + "\r\n";
  EXPECT_TRUE(tools::WriteTextFile(std::string(kGame) + "\\mapcycle.txt", own));
  work.before["mapcycle.txt"] = own;
  work.noBackup = true;
  return work;
}

// ---- Failures that stop the work

// The work must fail with a report holding every one of `named` and leave every file old, byte for
// byte, and no temporary file. With `holdOpen`, that file is held open without sharing from just
// before the work starts until the report is answered.
void ExpectFailsWhole(const Work& work, const std::vector<std::string>& named,
                      const std::string& holdOpen = "") {
  Running run = work.start();
  ASSERT_FALSE(::testing::Test::HasFailure());
  platform::UniqueHandle held;
  if (!holdOpen.empty()) held = HoldOpen(holdOpen);
  run.go();
  if (run.box) {
    EXPECT_TRUE(tools::WaitUntil([&] { return !IsWindow(run.box); }));
  }
  auto box = run.app.WaitForMessageBox();
  ASSERT_TRUE(box) << "no failure was reported";
  for (const std::string& part : named) {
    EXPECT_NE(box->text.find(part), std::string::npos) << part << " not in: " << box->text;
  }
  ASSERT_TRUE(run.app.Dismiss(*box));
  held.reset();
  ExpectFiles(work.folder, work.before);
  if (work.noBackup) {
    EXPECT_EQ(tools::FolderNames(work.folder + "\\launcher backups").size(), 0u)
        << "a backup that failed left something behind";
  }
}

// A live file held open without sharing, as an editor holds it: the real program finds it before
// it stages anything, names it with the system's reason and changes nothing.
TEST(FaultE2E, SwitchOverAFileHeldOpenChangesNothing) {
  const std::string path = std::string(kGame) + "\\liblist.gam";
  ExpectFailsWhole(SwitchWork(16 << 10), {path, platform::SystemErrorText(ERROR_SHARING_VIOLATION)},
                   path);
}

// Faults tests/faults/run_fault_case.sh sets up: the case writes the flag file FAULT_READY once its
// files are in place, the script removes it once the fault is set. The failure must name
// FAULT_NAMED and the system's text for FAULT_ERROR; the save works below FAULT_HALF_LIFE.
void ExpectInjectedFaultFailsWhole(const std::function<Work(const std::string&)>& prepare) {
  auto variable = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  const std::string flag = variable("FAULT_READY");
  if (flag.empty()) GTEST_SKIP() << "the fault is set up by tests/faults/run_fault_case.sh";
  const Work work = prepare(variable("FAULT_HALF_LIFE"));
  ASSERT_TRUE(tools::WriteTextFile(flag, ""));
  ASSERT_TRUE(tools::WaitUntil(
      [&] { return GetFileAttributesA(flag.c_str()) == INVALID_FILE_ATTRIBUTES; }, 60s))
      << "the fault was not set up";
  ExpectFailsWhole(work, {variable("FAULT_NAMED"),
                          platform::SystemErrorText(std::stoul(variable("FAULT_ERROR")))});
}

TEST(InjectedFault, Save) { ExpectInjectedFaultFailsWhole(SaveWork); }

TEST(InjectedFault, Activation) {
  ExpectInjectedFaultFailsWhole([](const std::string&) { return SwitchWork(16 << 10); });
}

TEST(InjectedFault, Backup) {
  ExpectInjectedFaultFailsWhole([](const std::string&) { return BackupWork(); });
}

// ---- The program killed mid-work

// Starts `work` while `held` is held open sharing everything, as a virus scanner does: renaming
// onto it is retried for about 0.75 s, so the work is killed in its middle once `inMiddle` holds.
void KillWhen(const Work& work, const std::string& held, const std::function<bool()>& inMiddle) {
  Running run = work.start();
  ASSERT_FALSE(::testing::Test::HasFailure());
  const platform::UniqueHandle holder = HoldOpen(held, GENERIC_READ, platform::kShareAll);
  run.go();
  EXPECT_TRUE(tools::WaitUntil(inMiddle)) << "the work did not reach its middle";
  run.app.Kill();
}

// Killed in its commit, with its journal written and the map cycle new but the library list not:
// the next start puts back every file the journal names and says which.
TEST(CrashE2E, SwitchKilledInItsCommitIsPutBackAtTheNextStart) {
  const Work work = SwitchWork(1 << 20);
  const std::string game = std::string(kGame) + "\\";
  KillWhen(work, game + "liblist.gam", [&] {
    return GetFileAttributesA((game + game_files::kJournalName).c_str()) !=
               INVALID_FILE_ATTRIBUTES &&
           FileBytes(game + "mapcycle.txt") == work.after.at("mapcycle.txt");
  });
  ASSERT_FALSE(::testing::Test::HasFailure());
  HWND main = nullptr;
  Driver next = StartLauncher(main);
  const auto box = next.WaitForMessageBox();
  ASSERT_TRUE(box) << "the put-back was not told";
  for (const char* name : {"mapcycle.txt", "liblist.gam"}) {
    EXPECT_NE(box->text.find("\n" + game + name + "\n"), std::string::npos) << box->text;
  }
  EXPECT_TRUE(next.Dismiss(*box));
  ExpectFiles(kGame, work.before);
}

// Killed while the map cycle it replaces is held: the old file is whole and the save's temporary
// file is left, which the next save in the folder removes.
TEST(CrashE2E, SaveKilledLeavesTheOldFileAndTheNextSaveRemovesItsTemporaryFile) {
  const Work work = SaveWork("C:\\faults\\Half-Life");
  const std::string cycle = work.folder + "\\mapcycle.txt";
  const std::string saving = cycle + platform::kSavingSuffix;
  KillWhen(work, cycle,
           [&] { return GetFileAttributesA(saving.c_str()) != INVALID_FILE_ATTRIBUTES; });
  ExpectFiles(work.folder, work.before, {saving});
  Running next = work.start();
  next.go();
  const auto box = next.app.WaitForMessageBox();
  EXPECT_EQ(box ? box->text : "no message", "Map Saved");
  ExpectFiles(work.folder, work.after);
}

// ---- Flushed before named

// The switch of the kill test, then a save, for tests/faults/trace_flushes.sh, which checks in a
// system-call trace that each file reached the disk before it took its name.
TEST(TracedRun, SwitchThenSave) {
  if (!std::getenv("TRACED_RUN")) GTEST_SKIP() << "traced by tests/faults/trace_flushes.sh";
  {
    const Work work = SwitchWork(1 << 20);
    Running run = work.start();
    ASSERT_FALSE(::testing::Test::HasFailure());
    run.go();
    // The library list is the last file the switch installs; the files it kept beside the live
    // ones go after it.
    EXPECT_TRUE(tools::WaitUntil([&] {
      return FileBytes(std::string(kGame) + "\\liblist.gam") == work.after.at("liblist.gam") &&
             Collect(kGame).temporaries.empty();
    }));
  }
  Running save = SaveWork("C:\\faults\\Half-Life").start();
  save.go();
  EXPECT_TRUE(save.app.WaitForMessageBox());
}

}  // namespace
