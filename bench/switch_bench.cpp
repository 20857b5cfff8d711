// Times the switch of the kill test in-process: to NNBot, whose seven prepared
// waypoints are 1 MB each, from Rambot's live waypoints of other contents and
// a stray one (each of those backed up first). Every round starts from the
// same live files; the backups are removed between rounds, untimed.
// Alternating with it, a floor does only what no such switch can skip: the
// same fourteen backups and ten new live files, each written to a file of its
// own, flushed and renamed into place, and the seven waypoints that go
// deleted, with plain Win32 calls.
// BENCH_SWITCHES sets the number of timed rounds of each (default 15).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "bench_game.h"
#include "game_files/profile_switch.h"
#include "game_files/profiles.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace {

// The live files as the kill test leaves them before its switch.
bool PutBackLiveFiles(const std::string& game) {
  tools::RemoveTree(game + "\\launcher backups");
  for (const std::string& name : tools::FolderNames(game + "\\maps")) {
    if (name.ends_with(".wpt")) DeleteFileA((game + "\\maps\\" + name).c_str());
  }
  std::vector<std::pair<std::string, std::string>> files = {
      {"maps\\stray.wpt", "stray"},
      {"mapcycle.txt", tools::DemoFileContent("mapcycle.old.txt")},
      {"liblist.gam", tools::DemoFileContent("liblist_old.gam")},
      {"bot.cfg", tools::DemoFileContent("bot.cfg.red")}};
  for (const game_files::FileCopy& copy :
       game_files::ProfileFor(game_files::ProfileId::kRambot).waypoints) {
    files.emplace_back(copy.destination, std::string("old ") + copy.destination);
  }
  return std::all_of(files.begin(), files.end(), [&](const auto& file) {
    return tools::WriteTextFile(game + "\\" + file.first, file.second);
  });
}

// Copies `source` to `destination` by way of a file beside it, flushed, then renamed over it.
bool CopyFlushedRenamed(const std::string& source, const std::string& destination) {
  std::string bytes;
  if (!tools::ReadTextFile(source, bytes)) return false;
  const std::string temporary = destination + ".floor.tmp";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      FlushFileBuffers(file);
  CloseHandle(file);
  return ok && MoveFileExA(temporary.c_str(), destination.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The floor's round: the switch's file work and nothing else.
bool Floor(const std::string& game, const game_files::Profile& nnb) {
  const std::string backups = game + "\\launcher backups", kept = backups + "\\floor";
  bool ok = CreateDirectoryA(backups.c_str(), nullptr) && CreateDirectoryA(kept.c_str(), nullptr) &&
            CreateDirectoryA((kept + "\\maps").c_str(), nullptr);
  std::vector<std::string> old = {"maps\\stray.wpt"};
  for (const game_files::FileCopy& copy :
       game_files::ProfileFor(game_files::ProfileId::kRambot).waypoints) {
    old.push_back(copy.destination);
  }
  for (const std::string& name : old) {
    ok = ok && CopyFlushedRenamed(game + "\\" + name, kept + "\\" + name);
  }
  std::vector<std::pair<std::string, std::string>> installs = {
      {nnb.mapCycleSource, "mapcycle.txt"},
      {nnb.botConfigSource, "bot.cfg"},
      {nnb.libraryListSource, "liblist.gam"}};
  for (const game_files::FileCopy& copy : nnb.waypoints)
    installs.emplace_back(copy.source, copy.destination);
  for (const auto& [source, live] : installs) {
    ok = ok && CopyFlushedRenamed(game + "\\" + source, game + "\\" + live);
  }
  for (const std::string& name : old) {
    const bool installed = std::any_of(installs.begin(), installs.end(),
                                       [&](const auto& install) { return install.second == name; });
    ok = ok && (installed || DeleteFileA((game + "\\" + name).c_str()));
  }
  return ok;
}

}  // namespace

int main() {
  const int rounds = bench::Rounds("BENCH_SWITCHES", 15);
  std::string halfLife;
  bool ready = bench::InstallBenchGame("switch-bench", halfLife);
  const std::string game = halfLife + "\\cstrike";
  const game_files::Profile& nnb = game_files::ProfileFor(game_files::ProfileId::kNNBot);
  if (!ready) {
    std::printf("could not write the game below %s\n", halfLife.c_str());
    return 1;
  }

  std::vector<double> times, floors;
  for (int round = -2; round < rounds; ++round) {  // two rounds of each to warm up
    for (bool floor : {true, false}) {
      if (!PutBackLiveFiles(game)) {
        std::printf("could not put the live files back\n");
        return 1;
      }
      const auto start = std::chrono::steady_clock::now();
      game_files::SwitchOutcome outcome;
      const bool switched = floor ? Floor(game, nnb)
                                  : (outcome = game_files::SwitchProfile(nnb, game)).result ==
                                        game_files::SwitchResult::kSwitched;
      const auto stop = std::chrono::steady_clock::now();
      if (!switched) {
        std::printf("the %s failed: %s\n", floor ? "floor" : "switch",
                    outcome.error.Message().c_str());
        return 1;
      }
      if (round >= 0) {
        (floor ? floors : times)
            .push_back(std::chrono::duration<double, std::milli>(stop - start).count());
      }
    }
  }
  bench::LeaveBenchGame();
  tools::RemoveTree(halfLife);

  const bench::Summary switching = bench::Summarize(times), floor = bench::Summarize(floors);
  std::printf("switch to NNBot, 7 waypoints of 1 MB, 14 backups, %zu rounds\n", times.size());
  std::printf("switch: median %.1f ms, quartiles %.1f-%.1f ms, best %.1f ms\n", switching.median,
              switching.low, switching.high, switching.best);
  std::printf("floor:  median %.1f ms, quartiles %.1f-%.1f ms, best %.1f ms\n", floor.median,
              floor.low, floor.high, floor.best);
  std::printf("switch / floor: %.2f x median, %.2f x best\n", switching.median / floor.median,
              switching.best / floor.best);
  return 0;
}
