// Faults met while the real launcher.exe saves a map cycle or switches to NNBot: a file held open
// without sharing; a full disk or an immutable file or folder, set up from the Linux side by
// tests/faults/run_fault_case.sh; the program killed at many moments mid-work. Afterwards every
// file is whole: its old or its new content, never missing, never cut short; after a failure every
// file is old.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>

#include "game_files/profiles.h"
#include "game_files/switch_journal.h"
#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"
#include "platform/status.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;
using namespace std::chrono_literals;
using tools::Driver;
using Clock = std::chrono::steady_clock;

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

// Puts `folder` back to `files`, without temporary files.
void Restore(const std::string& folder, const Files& files) {
  Tree now = Collect(folder);
  for (const std::string& path : now.temporaries) DeleteFileA(path.c_str());
  for (const auto& [name, bytes] : now.files) {
    if (!files.contains(name)) DeleteFileA((folder + "\\" + name).c_str());
  }
  for (const auto& [name, bytes] : files) {
    if (now.files[name] != bytes) {
      ASSERT_TRUE(tools::WriteTextFile(folder + "\\" + name, bytes));
    }
  }
}

// One start of the program, up to the moment `go` starts the work.
struct Run {
  Driver app;
  std::function<void()> go;           // posts the message that starts the work
  std::function<bool(Driver&)> done;  // true once the work is complete
  HWND editor = nullptr;              // the editor that saves
  HWND box = nullptr;                 // the message whose OK starts the switch
};

// A piece of work: the files it changes in `folder` and how to start it.
struct Work {
  std::string folder;
  Files before, after;
  std::function<Run()> start;
  bool noBackup = false;  // a failure must leave no backup behind
  // What the next launcher does after a kill, told whether the killed one left a switch's
  // journal; afterwards every file is old or new and no temporary file is left. It runs after
  // each kill, or after the first `nextRuns` that left something to put right.
  std::function<void(bool journal)> next;
  int nextRuns = 1 << 30;
  bool commits = false;  // a switch: a kill must land inside its commit
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
    return Run{std::move(app), [save] { tools::Press(save); },
               [](Driver& running) { return running.WaitForMessageBox(0ms).has_value(); }, editor};
  };
  // A save left its temporary file: the next save in the folder removes it (three times: each
  // opens the editor on 32,000 lines).
  work.nextRuns = 3;
  work.next = [folder = work.folder](bool) {
    HWND main = nullptr;
    Driver app = StartLauncher(main);
    HWND editor = OpenEditor(app, main, "big");
    tools::Press(GetDlgItem(editor, cycle_editor::FrmRotamund::kCmdSave));
    const auto box = app.WaitForMessageBox();
    EXPECT_TRUE(box && box->text == "Map Saved") << (box ? box->text : "no box");
  };
  return work;
}

// Switching to NNBot after a Rambot switch, with live waypoints of other contents and a stray one;
// NNBot's prepared waypoints are `bytes` long each. Afterwards the live files are its prepared
// copies, with no other waypoint.
Work SwitchWork(size_t bytes) {
  ResetDemoGame();
  const std::string game = std::string(kGame) + "\\";
  for (const game_files::FileCopy& copy : game_files::ProfileFor(game_files::ProfileId::kRambot).waypoints) {
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
  work.after = work.before;
  std::erase_if(work.after, [](const auto& file) { return file.first.ends_with(".wpt"); });
  work.after["mapcycle.txt"] = FileBytes(game + nnb.mapCycleSource);
  work.after["bot.cfg"] = FileBytes(game + nnb.botConfigSource);
  work.after["liblist.gam"] = FileBytes(game + nnb.libraryListSource);
  for (const game_files::FileCopy& copy : nnb.waypoints) {
    work.after[copy.destination] = FileBytes(game + copy.source);
  }
  // The library list is the last file the switch installs; the files it kept beside the live ones
  // go after it.
  work.start = [library = game + "liblist.gam", last = work.after.at("liblist.gam")] {
    HWND main = nullptr;
    Driver app = StartLauncher(main);
    tools::Press(tools::FindChild(main, "NNBot"));
    HWND box = app.WaitForMessageBox().value_or(tools::MessageBoxSeen{}).window;
    EXPECT_NE(box, nullptr) << "no NNBot message";
    return Run{
        std::move(app), [box] { PostMessageA(box, WM_COMMAND, IDOK, 0); },
        [=](Driver&) { return FileBytes(library) == last && Collect(kGame).temporaries.empty(); },
        nullptr, box};
  };
  work.commits = true;
  // A switch cut short is put back at the next start, which says so.
  work.next = [](bool journal) {
    HWND main = nullptr;
    Driver app = StartLauncher(main);
    if (!journal) return;
    const auto box = app.WaitForMessageBox();
    ASSERT_TRUE(box) << "the switch put back was not named";
    EXPECT_NE(box->text.find("were put back as they were before that switch"), std::string::npos)
        << box->text;
    EXPECT_TRUE(app.Dismiss(*box));
  };
  return work;
}

// Switching to NNBot from a map cycle of the player's own that no prepared copy holds and that is
// larger than the space tests/faults/run_fault_case.sh leaves free: its backup cannot be written,
// and the map cycle is the first file a switch replaces.
Work BackupWork() {
  Work work = SwitchWork(16 << 10);
  std::string own;
  while (own.size() < (256 << 10)) own += "de_own_" + std::to_string(own.size()) + "\r\n";
  EXPECT_TRUE(tools::WriteTextFile(std::string(kGame) + "\\mapcycle.txt", own));
  work.before["mapcycle.txt"] = own;
  work.noBackup = true;
  return work;
}

// How many files are still old and how many already new. Every file must be one of the two, and a
// waypoint outside the new set may go only once the whole set is in.
struct Outcome {
  int old = 0, fresh = 0;
};

Outcome ExpectOldOrNew(const Work& work, const Files& now) {
  std::set<std::string> names;
  for (const Files* files : {&work.before, &work.after, &now}) {
    for (const auto& entry : *files) names.insert(entry.first);
  }
  auto at = [](const Files& files, const std::string& name) -> std::optional<std::string> {
    auto found = files.find(name);
    return found == files.end() ? std::nullopt : std::optional(found->second);
  };
  Outcome outcome;
  bool removed = false, setIn = true;
  for (const std::string& name : names) {
    const auto was = at(work.before, name), will = at(work.after, name), is = at(now, name);
    const bool waypoint = name.ends_with(".wpt");
    removed |= waypoint && was && !will && !is;
    setIn &= !waypoint || !will || is == will;
    if (is == was && is == will) continue;
    if (is == was) {
      ++outcome.old;
    } else if (is == will) {
      ++outcome.fresh;
    } else {
      ADD_FAILURE() << name
                    << (is ? " holds " + std::to_string(is->size()) +
                                 " bytes, neither its old nor its new content"
                           : " is missing");
    }
  }
  EXPECT_TRUE(setIn || !removed) << "a waypoint file was removed before the set was in";
  return outcome;
}

// ---- Failures that stop the work

// The work must fail with a report holding every one of `named` and leave every file old, byte for
// byte, no temporary file, and the editor open with its rotation. With `holdOpen`, that file is
// held open from just before the work starts until the report is answered.
void ExpectFailsWhole(const Work& work, const std::vector<std::string>& named,
                      const std::string& holdOpen = "") {
  Run run = work.start();
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
  if (run.editor) {
    EXPECT_TRUE(IsWindowVisible(run.editor));
    EXPECT_EQ(
        SendDlgItemMessageA(run.editor, cycle_editor::FrmRotamund::kLstMap, LB_GETCOUNT, 0, 0),
        kCycleLines);
  }
  const Tree now = Collect(work.folder);
  const Outcome outcome = ExpectOldOrNew(work, now.files);
  EXPECT_GT(outcome.old, 0) << "the work did not stop";
  EXPECT_EQ(outcome.fresh, 0) << "a file was left changed after the failure";
  EXPECT_EQ(now.temporaries, std::vector<std::string>{});
  if (work.noBackup) {
    EXPECT_EQ(tools::FolderNames(work.folder + "\\launcher backups").size(), 0u)
        << "a backup that failed left something behind";
  }
}

// A live file of each kind held open: the switch finds it before it stages anything and changes
// nothing.
TEST(FaultE2E, SwitchOverAFileHeldOpenChangesNothing) {
  for (const char* name : {"mapcycle.txt", "liblist.gam", "bot.cfg", "maps\\de_dust.wpt"}) {
    SCOPED_TRACE(name);
    const std::string path = std::string(kGame) + "\\" + name;
    ExpectFailsWhole(SwitchWork(16 << 10),
                     {path, platform::SystemErrorText(ERROR_SHARING_VIOLATION),
                      "The NNBot profile was not switched because another program has these "
                      "files open",
                      "\n\nNo file was changed."},
                     path);
  }
}

// Faults that tests/faults/run_fault_case.sh sets up from the Linux side. FAULT_READY names a flag
// file: the case writes it once its files are in place, the script removes it once the fault is
// set. The failure must name FAULT_NAMED and the system's text for the error code FAULT_ERROR; the
// save works below the Half-Life folder FAULT_HALF_LIFE.
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

enum Landed { kBefore, kMiddle, kAfter };

Landed Inspect(const Work& work) {
  const Tree now = Collect(work.folder);
  const Outcome outcome = ExpectOldOrNew(work, now.files);
  if (!now.temporaries.empty() || (outcome.old && outcome.fresh)) return kMiddle;
  return outcome.fresh ? kAfter : kBefore;
}

// Times one undisturbed run of the work, then kills the program `kills` times: half of them at
// moments spread evenly from the start of the work to half as long again, the other half spread
// densely over the span in which the files were seen to change (more where none landed in the
// middle). Each run starts from the old files.
void KillAtManyMoments(const char* name, int kills, const Work& work) {
  auto start = [&] {
    Restore(work.folder, work.before);
    return work.start();
  };
  Clock::duration length;
  {
    Run run = start();
    ASSERT_FALSE(::testing::Test::HasFailure());
    const auto begun = Clock::now();
    run.go();
    while (!run.done(run.app)) {
      ASSERT_LT(Clock::now() - begun, 15s) << name << " did not end";
      Sleep(1);
    }
    length = Clock::now() - begun;
    ASSERT_EQ(Inspect(work), kAfter);
  }
  int landed[3] = {}, journals = 0, nextRuns = 0;
  Clock::duration lastBefore{}, firstAfter = length * 3 / 2;
  const std::string journalPath = work.folder + "\\" + game_files::kJournalName;
  auto journalThere = [&] {
    return GetFileAttributesA(journalPath.c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  // `delay` after the work starts, or with `inCommit` after its journal appears.
  auto killAfter = [&](Clock::duration delay, bool inCommit = false) {
    Run run = start();
    auto begun = Clock::now();
    run.go();
    if (inCommit) {
      while (!journalThere() && Clock::now() - begun < 15s) {
      }
      begun = Clock::now();
    }
    while (Clock::now() - begun < delay) {
    }
    run.app.Kill();
    const Landed where = Inspect(work);
    ++landed[where];
    if (where == kBefore) lastBefore = std::max(lastBefore, delay);
    if (where == kAfter) firstAfter = std::min(firstAfter, delay);
    // A journal cut short while it was written means no live file had changed: nothing to say.
    std::string journalText;
    const bool journal =
        tools::ReadTextFile(journalPath, journalText) && game_files::ParseJournal(journalText).has_value();
    journals += journal;
    const bool leftSomething = journal || !Collect(work.folder).temporaries.empty();
    if (work.commits || (leftSomething && nextRuns++ < work.nextRuns)) {
      work.next(journal);
      EXPECT_NE(Inspect(work), kMiddle) << "the next start left a mixed game or a temporary file";
    }
  };
  const int half = kills / 2;
  for (int i = 0; i < half && !::testing::Test::HasFailure(); ++i) {
    killAfter(length * 3 * i / (2 * half));
  }
  // The span narrows with each kill; where none has landed in the middle yet (a quick save is in
  // the middle for well under a millisecond), it is covered again, up to three more times.
  for (int round = 0; round < 4 && (round == 0 || !landed[kMiddle]); ++round) {
    const auto from = std::min(lastBefore, firstAfter), to = std::max(lastBefore, firstAfter);
    for (int i = 0; i < half && !::testing::Test::HasFailure(); ++i) {
      killAfter(from + (to - from) * i / half);
    }
  }
  // A switch's commit (its renames onto the live files) is short beside its staging: more kills
  // land in it, from the moment its journal appears.
  for (int i = 0; work.commits && i < 6 && !::testing::Test::HasFailure(); ++i) {
    killAfter(std::chrono::microseconds(500 * i), true);
  }
  std::cout << "[ KILLED   ] " << name << ": "
            << std::chrono::duration<double, std::milli>(length).count() << " ms of work; "
            << landed[kBefore] << " kills before it, " << landed[kMiddle] << " in the middle, "
            << landed[kAfter] << " after it; " << journals << " switches put back\n";
  EXPECT_GT(landed[kMiddle], 0) << "no kill landed in the middle of the work";
  EXPECT_TRUE(journals > 0 || !work.commits) << "no kill landed inside the commit of a switch";
}

TEST(CrashE2E, SaveKilledAtManyMomentsLeavesTheOldOrTheNewFile) {
  KillAtManyMoments("save", 60, SaveWork("C:\\faults\\Half-Life"));
}

TEST(CrashE2E, SwitchKilledAtManyMomentsIsPutBackAtTheNextStart) {
  KillAtManyMoments("switch to NNBot", 40, SwitchWork(1 << 20));
}

// ---- Flushed before named

void RunToItsEnd(const Work& work) {
  Run run = work.start();
  ASSERT_FALSE(::testing::Test::HasFailure());
  run.go();
  EXPECT_TRUE(tools::WaitUntil([&] { return run.done(run.app); }));
  EXPECT_EQ(Inspect(work), kAfter);
}

// The switch of the kill test, then a save, for tests/faults/trace_flushes.sh: it traces the system
// calls of the program and of the wineserver meanwhile and checks that each file reached the disk
// before it took its name.
TEST(TracedRun, SwitchThenSave) {
  if (!std::getenv("TRACED_RUN")) GTEST_SKIP() << "traced by tests/faults/trace_flushes.sh";
  RunToItsEnd(SwitchWork(1 << 20));
  RunToItsEnd(SaveWork("C:\\faults\\Half-Life"));
}

}  // namespace
