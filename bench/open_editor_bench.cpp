// Opening the map-cycle editor on a large modification, in-process under the
// real window system: the chooser's "Edit" as the user runs it, the least any
// opening must do (the floor), and the per-line scan of the list box for
// comparison.
//
//   open_editor_bench.exe HALF_LIFE_FOLDER [MOD]
//
// The folder holds MOD (default "bench") with maps\*.bsp and mapcycle.txt;
// scripts/bench.sh writes it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/program.h"
#include "cycle_editor/frm_rotamund.h"
#include "game_files/cycle_file.h"
#include "game_files/mod_cycle.h"
#include "mod_chooser/frm_mods.h"
#include "platform/files.h"
#include "platform/listing.h"
#include "platform/random.h"
#include "platform/text.h"
#include "support/demo_game.h"
#include "support/registry.h"

namespace {

using Clock = std::chrono::steady_clock;
using app::FormId;

class SilentMessages : public platform::MessageBoxes {
 public:
  void Show(HWND, const std::string& text, const std::optional<std::string>&,
            platform::MessageStyle) override {
    last = text;
    ++shown;
  }
  int shown = 0;
  std::string last;
};

double Milliseconds(const std::function<void()>& work) {
  auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The best of `runs` timings: the least disturbed by the rest of the system.
double Best(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) best = std::min(best, Milliseconds(work));
  return best;
}

// Lets the windows handle what the last step left in the queue.
void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Each line appended, then every map list entry compared with it, upper-cased
// on both sides, walking from the last entry to the first.
void LiteralScan(cycle_editor::FrmRotamund& editor, const std::vector<std::string>& maps,
                 const std::vector<std::string>& lines) {
  platform::ListBox bsp = editor.lstBSP(), map = editor.lstMap();
  bsp.Clear();
  map.Clear();
  for (const std::string& name : maps) bsp.Add(name);
  for (const std::string& line : lines) {
    map.Add(line);
    const std::string upperLine = platform::UpperAnsi(line);
    for (int i = bsp.Count() - 1; i >= 0; --i) {
      if (platform::UpperAnsi(bsp.Text(i)) == upperLine) bsp.Remove(i);
    }
  }
  editor.ShowCounts();
}

// Fills a list the plainest way: redrawing off, storage reserved, each text added as it is (a
// sorted list places it).
void AddAll(HWND list, const std::vector<std::string>& texts) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  size_t bytes = 0;
  for (const std::string& text : texts) bytes += text.size() + 1;
  SendMessageA(list, LB_INITSTORAGE, texts.size(), static_cast<LPARAM>(bytes));
  for (const std::string& text : texts) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: open_editor_bench HALF_LIFE_FOLDER [MOD]\n");
    return 2;
  }
  const std::string halfLife = argv[1];
  const std::string mod = argc > 2 ? argv[2] : "bench";

  SilentMessages messages;
  platform::ClockSeededRandom random;
  app::Program program({messages, random});
  // The chooser finds the modification itself, as it does for the user.
  if (!tools::RegisterInstallPath(halfLife)) {
    std::fprintf(stderr, "could not set the install folder in the registry\n");
    return 1;
  }
  program.Show(FormId::kMods);
  if (!program.IsLoaded(FormId::kMods)) {
    std::fprintf(stderr, "the chooser did not open: %s\n", messages.last.c_str());
    return 1;
  }
  mod_chooser::FrmMods& chooser = *program.frmMODS();
  std::vector<std::string> offered = chooser.lstModList().Texts();
  auto chosen = std::find(offered.begin(), offered.end(), mod);
  if (chosen == offered.end()) {
    std::fprintf(stderr, "the chooser does not offer %s\n", mod.c_str());
    return 1;
  }
  chooser.lstModList().SetCurrent(static_cast<int>(chosen - offered.begin()));
  Pump();

  // The real opening, timed alone; the editor is closed again between runs.
  int bspCount = 0, mapCount = 0;
  double open = 1e300;
  for (int run = 0; run < 5; ++run) {
    open = std::min(open, Milliseconds([&] { chooser.cmdEdit_Click(); }));
    if (!program.IsLoaded(FormId::kRotamund)) break;
    bspCount = program.frmRotamund()->lstBSP().Count();
    mapCount = program.frmRotamund()->lstMap().Count();
    program.frmRotamund()->cmdClose_Click();
    program.ReleaseUnloaded();
    Pump();
  }
  if (messages.shown || mapCount == 0) {
    std::fprintf(stderr, "the editor did not open on %s\\%s: %s\n", halfLife.c_str(), mod.c_str(),
                 messages.last.c_str());
    return 1;
  }

  // The floor, the least an opening does: list the maps, read the file, match the lines and
  // the names through a set of upper-cased lines, fill both lists.
  program.Load(FormId::kRotamund);
  cycle_editor::FrmRotamund& editor = *program.frmRotamund();
  std::vector<std::string> files, lines;
  const double floor = Best(5, [&] {
    platform::Listing listing = platform::ListNames(game_files::MapFilesPattern(halfLife, mod),
                                                    platform::ListFilter::kOrdinaryFiles);
    std::string bytes;
    (void)platform::ReadWholeFile(game_files::CycleFilePath(halfLife, mod), bytes);
    lines = cycle::ParseCycle(bytes);
    std::unordered_set<std::string> named;
    for (const std::string& line : lines) named.insert(platform::UpperAnsi(line));
    files = game_files::MapNamesOf(listing.names);
    std::vector<std::string> left;
    for (const std::string& name : files) {
      if (!named.contains(platform::UpperAnsi(name))) left.push_back(name);
    }
    AddAll(editor.lstBSP().handle(), left);
    AddAll(editor.lstMap().handle(), lines);
  });

  std::printf("modification: %zu map files, %zu cycle lines\n", files.size(), lines.size());
  std::printf("after opening: lstBSP %d entries, lstMap %d entries\n", bspCount, mapCount);
  std::printf("open the editor (cmdEdit_Click, window included): %8.1f ms\n", open);
  std::printf("floor (list, read, match, fill both lists):       %8.1f ms\n", floor);
  std::printf("open / floor:                                     %8.2f\n", open / floor);

  // The per-line scan on shorter inputs: the first n maps and the first n
  // lines, so about half of the lines name a map here too.
  for (size_t n : {size_t{1000}, size_t{2000}, size_t{4000}}) {
    std::vector<std::string> someMaps(files.begin(), files.begin() + std::min(n, files.size()));
    std::vector<std::string> someLines(lines.begin(), lines.begin() + std::min(n, lines.size()));
    const double scan = Milliseconds([&] { LiteralScan(editor, someMaps, someLines); });
    std::printf("per-line scan, %5zu maps x %5zu lines:           %8.1f ms\n", someMaps.size(),
                someLines.size(), scan);
  }
  return 0;
}
