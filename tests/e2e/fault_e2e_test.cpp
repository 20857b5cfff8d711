// Faults met while the real launcher.exe saves a map cycle or switches to
// NNBot: a file held open without sharing; a full disk or an immutable file or
// folder, set up from the Linux side by tests/faults/run_fault_case.sh; the
// program killed at many moments mid-work. Afterwards every file is whole: its
// old or its new content, never missing, never cut short.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>

#include "app/profiles.h"
#include "cycle_editor/frm_rotamund.h"
#include "launcher_app.h"
#include "platform/status.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace {

using namespace testing_support;
using cycle_editor::FrmRotamund;
using tools::Driver;
using namespace std::chrono_literals;

constexpr char kGame[] = "C:\\SIERRA\\Half-Life\\cstrike";
constexpr int kCycleLines = 32000;

// ---- Files, old and new

using Files = std::map<std::string, std::string>;  // name below a folder -> bytes

// The files directly in a folder and in its "maps" folder; temporary files
// apart.
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

// How many files are still old and how many already new.
struct Outcome {
  int old = 0, fresh = 0;
};

Outcome ExpectOldOrNew(const Files& before, const Files& after, const Files& now) {
  auto at = [](const Files& files, const std::string& name) -> std::optional<std::string> {
    auto found = files.find(name);
    return found == files.end() ? std::nullopt : std::optional(found->second);
  };
  std::set<std::string> names;
  for (const Files* files : {&before, &after, &now}) {
    for (const auto& entry : *files) names.insert(entry.first);
  }
  Outcome outcome;
  for (const std::string& name : names) {
    auto was = at(before, name), will = at(after, name), is = at(now, name);
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
  return outcome;
}

// ---- The switch to NNBot

// The demo game after a Rambot switch, with live waypoints of other contents
// and a stray one; NNBot's prepared waypoints are `bytes` long each.
void PrepareActivation(size_t bytes) {
  ResetDemoGame();
  const std::string game = kGame;
  for (const app::FileCopy& copy : app::ProfileFor(app::ProfileId::kRambot).waypoints) {
    ASSERT_TRUE(tools::WriteTextFile(game + "\\" + copy.destination,
                                     std::string("old ") + copy.destination));
  }
  ASSERT_TRUE(tools::WriteTextFile(game + "\\maps\\stray.wpt", "stray"));
  for (const app::FileCopy& copy : app::ProfileFor(app::ProfileId::kNNBot).waypoints) {
    std::string content;
    while (content.size() < bytes) content += std::string(copy.source) + " ";
    ASSERT_TRUE(tools::WriteTextFile(game + "\\" + copy.source, content));
  }
}

// The live files once NNBot is in: its prepared copies, no other waypoint.
Files AfterNNBot(const Files& before) {
  const app::Profile& nnb = app::ProfileFor(app::ProfileId::kNNBot);
  auto prepared = [](const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(tools::ReadTextFile(std::string(kGame) + "\\" + name, bytes)) << name;
    return bytes;
  };
  Files after = before;
  std::erase_if(after, [](const auto& file) { return file.first.ends_with(".wpt"); });
  after["mapcycle.txt"] = prepared(nnb.mapCycleSource);
  after["bot.cfg"] = prepared(nnb.botConfigSource);
  after["liblist.gam"] = prepared(nnb.libraryListSource);
  for (const app::FileCopy& copy : nnb.waypoints) after[copy.destination] = prepared(copy.source);
  return after;
}

// Every file old or new; a waypoint outside the set goes only once the whole
// set is in.
Outcome ExpectNNBotOldOrNew(const Files& before, const Files& after, const Files& now) {
  Outcome outcome = ExpectOldOrNew(before, after, now);
  bool removed = false, setIn = true;
  for (const auto& [name, bytes] : before) {
    removed |= name.ends_with(".wpt") && !after.contains(name) && !now.contains(name);
  }
  for (const auto& [name, bytes] : after) {
    setIn &= !name.ends_with(".wpt") || (now.contains(name) && now.at(name) == bytes);
  }
  EXPECT_TRUE(setIn || !removed) << "a waypoint file was removed before the set was in";
  return outcome;
}

// Presses NNBot and waits for its message; closing it starts the switch.
Driver StartNNBot(tools::MessageBoxSeen& box, HWND& main) {
  Driver app = StartLauncher(main);
  tools::Press(tools::FindChild(main, "NNBot"));
  box = app.WaitForMessageBox().value_or(tools::MessageBoxSeen{});
  EXPECT_NE(box.window, nullptr) << "no NNBot message";
  return app;
}

// ---- Saving the map cycle

// A modification "big" below `halfLife` whose mapcycle.txt holds kCycleLines
// lines that end in LF alone, as other tools write them; saving it unchanged
// rewrites them with CR LF.
struct Cycle {
  std::string folder;
  Files before, after;
};

Cycle PrepareSave(const std::string& halfLife) {
  Cycle cycle{halfLife + "\\big", {{"maps\\extra.bsp", "map"}}, {}};
  std::string old, saved;
  for (int i = 0; i < kCycleLines; ++i) {
    std::string line = "de_map_" + std::to_string(i);
    old += line + "\n";
    saved += line + "\r\n";
  }
  cycle.before["mapcycle.txt"] = old;
  cycle.after = cycle.before;
  cycle.after["mapcycle.txt"] = saved;
  tools::RemoveTree(halfLife);
  for (const auto& [name, bytes] : cycle.before) {
    EXPECT_TRUE(tools::WriteTextFile(cycle.folder + "\\" + name, bytes)) << name;
  }
  EXPECT_TRUE(tools::RegisterInstallPath(halfLife));
  return cycle;
}

// Starts the launcher and opens the editor on the one modification there is.
Driver OpenEditor(HWND& editor) {
  HWND main = nullptr;
  Driver app = StartLauncher(main);
  tools::Press(tools::FindChild(main, "Map Cycle"));
  HWND chooser = app.WaitForWindow(kRotamundTitle), mods = tools::FindList(chooser, 0);
  EXPECT_TRUE(tools::WaitUntil([&] { return SendMessageA(mods, LB_GETCOUNT, 0, 0) == 1; }));
  tools::SelectListItem(mods, 0);
  tools::Press(tools::FindChild(chooser, "&Edit"));
  EXPECT_TRUE(tools::WaitUntil([&] { return !IsWindowVisible(chooser); }));
  editor = app.WaitForWindow(kRotamundTitle);
  EXPECT_NE(editor, nullptr) << "the editor did not open";
  return app;
}

// ---- Failures that stop the work

// The program must report a failure whose text holds every one of `named`.
void ExpectFailureNaming(Driver& app, const std::vector<std::string>& named) {
  auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box) << "no failure was reported";
  for (const std::string& part : named) {
    EXPECT_NE(box->text.find(part), std::string::npos) << part << " not in: " << box->text;
  }
  std::string oneLine = box->text;
  std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
  std::cout << "[ REPORTED ] " << oneLine << "\n";
  ASSERT_TRUE(app.Dismiss(*box));
}

// A file opened without sharing: nobody can replace it, not even root.
platform::UniqueHandle HoldOpen(const std::string& path) {
  if (path.empty()) return {};
  platform::UniqueHandle held = platform::AdoptHandle(
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_TRUE(held) << path;
  return held;
}

// With `holdOpen`, that file is held open from just before the work starts
// until the files are read back.
void ExpectSaveFailsWhole(const Cycle& cycle, const std::vector<std::string>& named,
                          const std::string& holdOpen = "") {
  HWND editor = nullptr;
  Driver app = OpenEditor(editor);
  ASSERT_NE(editor, nullptr);
  platform::UniqueHandle held = HoldOpen(holdOpen);
  tools::Press(GetDlgItem(editor, FrmRotamund::kCmdSave));
  ExpectFailureNaming(app, named);
  EXPECT_TRUE(IsWindowVisible(editor));
  EXPECT_EQ(SendMessageA(GetDlgItem(editor, FrmRotamund::kLstMap), LB_GETCOUNT, 0, 0), kCycleLines);
  held.reset();
  const Tree now = Collect(cycle.folder);
  EXPECT_EQ(now.files, cycle.before) << "the old map cycle was not kept";
  EXPECT_TRUE(now.temporaries.empty());
}

void ExpectNNBotFailsWhole(const Files& before, const std::vector<std::string>& named,
                           const std::string& holdOpen = "") {
  HWND main = nullptr;
  tools::MessageBoxSeen box;
  Driver app = StartNNBot(box, main);
  platform::UniqueHandle held = HoldOpen(holdOpen);
  ASSERT_TRUE(app.Dismiss(box));
  ExpectFailureNaming(app, named);
  held.reset();
  const Tree now = Collect(kGame);
  const Outcome outcome = ExpectNNBotOldOrNew(before, AfterNNBot(before), now.files);
  EXPECT_GT(outcome.old, 0) << "the switch did not stop part way";
  EXPECT_TRUE(now.temporaries.empty());
}

TEST(FaultE2E, SaveOverAFileHeldOpenFailsAndKeepsTheOldFile) {
  const Cycle cycle = PrepareSave("C:\\faults\\Half-Life");
  const std::string path = cycle.folder + "\\mapcycle.txt";
  ExpectSaveFailsWhole(cycle, {path, platform::SystemErrorText(ERROR_ACCESS_DENIED)}, path);
}

TEST(FaultE2E, SwitchOverAWaypointHeldOpenStopsWithEveryFileWhole) {
  PrepareActivation(16 << 10);
  const Files before = Collect(kGame).files;
  const std::string path = std::string(kGame) + "\\maps\\de_dust.wpt";
  ExpectNNBotFailsWhole(before, {path, platform::SystemErrorText(ERROR_ACCESS_DENIED)}, path);
}

// Faults that tests/faults/run_fault_case.sh sets up from the Linux side.
// FAULT_READY names a flag file: the case writes it once its files are in
// place, the script removes it once the fault is set. The failure must name
// FAULT_NAMED and the system's text for the error code FAULT_ERROR; the save
// works below the Half-Life folder FAULT_HALF_LIFE.
struct InjectedFault {
  std::string named, reason, halfLife;
};

std::optional<InjectedFault> InjectedFaultFromEnvironment() {
  auto variable = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  if (variable("FAULT_READY").empty()) return std::nullopt;
  return InjectedFault{variable("FAULT_NAMED"),
                       platform::SystemErrorText(std::stoul(variable("FAULT_ERROR"))),
                       variable("FAULT_HALF_LIFE")};
}

void AwaitInjectedFault() {
  const std::string flag = std::getenv("FAULT_READY");
  ASSERT_TRUE(tools::WriteTextFile(flag, ""));
  ASSERT_TRUE(tools::WaitUntil(
      [&] { return GetFileAttributesA(flag.c_str()) == INVALID_FILE_ATTRIBUTES; }, 60s))
      << "the fault was not set up";
}

constexpr char kNeedsScript[] = "the fault is set up by tests/faults/run_fault_case.sh";

TEST(InjectedFault, Save) {
  const std::optional<InjectedFault> fault = InjectedFaultFromEnvironment();
  if (!fault) GTEST_SKIP() << kNeedsScript;
  const Cycle cycle = PrepareSave(fault->halfLife);
  AwaitInjectedFault();
  ExpectSaveFailsWhole(cycle, {fault->named, fault->reason});
}

TEST(InjectedFault, Activation) {
  const std::optional<InjectedFault> fault = InjectedFaultFromEnvironment();
  if (!fault) GTEST_SKIP() << kNeedsScript;
  PrepareActivation(16 << 10);
  const Files before = Collect(kGame).files;
  AwaitInjectedFault();
  ExpectNNBotFailsWhole(before, {fault->named, fault->reason});
}

// ---- The program killed mid-work

// One start of the program, up to the moment a posted message starts the work.
struct ProgramRun {
  Driver app;
  std::function<void()> go;           // posts the message that starts the work
  std::function<bool(Driver&)> done;  // true once the work is complete
};

enum Landed { kBefore, kMiddle, kAfter };

Landed Classify(const Outcome& outcome, const Tree& now) {
  if (!now.temporaries.empty() || (outcome.old && outcome.fresh)) return kMiddle;
  return outcome.fresh ? kAfter : kBefore;
}

LONGLONG Ticks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// Times one undisturbed run of the work, then kills the program `kills` times:
// half of them at moments spread evenly from the start of the work to half as
// long again, the other half spread densely over the span in which the files
// were seen to change. `start` restores the files and brings a run up to the
// work; `inspect` checks the files and tells where the kill landed.
void KillAtManyMoments(const char* work, int kills, const std::function<ProgramRun()>& start,
                       const std::function<Landed()>& inspect) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  LONGLONG length = 0;
  {
    ProgramRun run = start();
    ASSERT_FALSE(::testing::Test::HasFailure());
    const LONGLONG begun = Ticks();
    run.go();
    while (!run.done(run.app)) {
      ASSERT_LT(Ticks() - begun, 15 * frequency.QuadPart) << work << " did not end";
      Sleep(1);
    }
    length = Ticks() - begun;
    ASSERT_EQ(inspect(), kAfter);
  }
  int landed[3] = {};
  LONGLONG lastBefore = 0, firstAfter = length * 3 / 2;
  auto killAfter = [&](LONGLONG delay) {
    ProgramRun run = start();
    const LONGLONG begun = Ticks();
    run.go();
    while (Ticks() - begun < delay) {
    }
    run.app.Kill();
    const Landed where = inspect();
    ++landed[where];
    if (where == kBefore) lastBefore = std::max(lastBefore, delay);
    if (where == kAfter) firstAfter = std::min(firstAfter, delay);
  };
  const int half = kills / 2;
  for (int i = 0; i < half && !::testing::Test::HasFailure(); ++i) {
    killAfter(length * 3 * i / (2 * half));
  }
  const LONGLONG from = std::min(lastBefore, firstAfter), to = std::max(lastBefore, firstAfter);
  for (int i = 0; i < half && !::testing::Test::HasFailure(); ++i) {
    killAfter(from + (to - from) * i / half);
  }
  std::cout << "[ KILLED   ] " << work << ": " << length * 1000.0 / frequency.QuadPart
            << " ms of work; " << landed[kBefore] << " kills before it, " << landed[kMiddle]
            << " in the middle, " << landed[kAfter] << " after it\n";
  EXPECT_GT(landed[kMiddle], 0) << "no kill landed in the middle of the work";
}

TEST(CrashE2E, SaveKilledAtManyMomentsLeavesTheOldOrTheNewFile) {
  const Cycle cycle = PrepareSave("C:\\faults\\Half-Life");
  KillAtManyMoments(
      "save", 60,
      [&] {
        Restore(cycle.folder, cycle.before);
        HWND editor = nullptr;
        Driver app = OpenEditor(editor);
        HWND save = GetDlgItem(editor, FrmRotamund::kCmdSave);
        return ProgramRun{
            std::move(app), [save] { tools::Press(save); },
            [](Driver& running) { return running.WaitForMessageBox(0ms).has_value(); }};
      },
      [&] {
        const Tree now = Collect(cycle.folder);
        return Classify(ExpectOldOrNew(cycle.before, cycle.after, now.files), now);
      });
}

TEST(CrashE2E, SwitchKilledAtManyMomentsLeavesEveryFileOldOrNew) {
  PrepareActivation(1 << 20);
  const Files before = Collect(kGame).files, after = AfterNNBot(before);
  const std::string library = std::string(kGame) + "\\liblist.gam";
  KillAtManyMoments(
      "switch to NNBot", 40,
      [&] {
        Restore(kGame, before);
        HWND main = nullptr;
        tools::MessageBoxSeen box;
        Driver app = StartNNBot(box, main);
        // The library list is the last file the switch installs.
        auto switched = [&](Driver&) {
          std::string bytes;
          return tools::ReadTextFile(library, bytes) && bytes == after.at("liblist.gam");
        };
        return ProgramRun{std::move(app), [box] { PostMessageA(box.window, WM_COMMAND, IDOK, 0); },
                          switched};
      },
      [&] {
        const Tree now = Collect(kGame);
        return Classify(ExpectNNBotOldOrNew(before, after, now.files), now);
      });
}

}  // namespace
