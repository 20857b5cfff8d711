// Times reading the game folder's state (which profiles are live, what each
// misses, whether the game runs) on the switch benchmark's files: NNBot live,
// its seven waypoints of 1 MB each live and prepared. Alternating with it, a
// floor reads every file the state could look at once, whole, with plain
// Win32 calls: the live files and every prepared copy of every profile.
// BENCH_READS sets the number of timed rounds of each (default 30).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "bench_game.h"
#include "game_files/game_state.h"
#include "game_files/profile_switch.h"
#include "game_files/profiles.h"
#include "platform/handles.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace {

// The files the state may read, each named once: the live ones and every prepared copy.
std::vector<std::string> FilesOfTheState(const std::string& game) {
  std::set<std::string> names;
  for (size_t i = 0; i < game_files::kProfileCount; ++i) {
    const auto& profile = game_files::ProfileFor(static_cast<game_files::ProfileId>(i));
    for (const game_files::LiveChange& change : game_files::PlanActivation(profile, {})) {
      names.insert(change.live);
      names.insert(change.source);
    }
  }
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(game + "\\" + name);
  return paths;
}

// Reads each file whole, once; the bytes read.
size_t ReadOnce(const std::vector<std::string>& paths) {
  size_t total = 0;
  std::string buffer(1 << 20, '\0');
  for (const std::string& path : paths) {
    const platform::UniqueHandle file = platform::AdoptHandle(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) continue;
    DWORD read = 0;
    while (ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) &&
           read > 0) {
      total += read;
    }
  }
  return total;
}

}  // namespace

int main() {
  const int rounds = bench::Rounds("BENCH_READS", 30);
  std::string halfLife;
  bool ready = bench::InstallBenchGame("state-bench", halfLife);
  const std::string game = halfLife + "\\cstrike";
  const game_files::Profile& nnb = game_files::ProfileFor(game_files::ProfileId::kNNBot);
  ready =
      ready && game_files::SwitchProfile(nnb, game).result == game_files::SwitchResult::kSwitched;
  bench::LeaveBenchGame();
  if (!ready || !game_files::ReadGameState(game)
                     .profiles[static_cast<size_t>(game_files::ProfileId::kNNBot)]
                     .live) {
    std::printf("could not make NNBot live below %s\n", halfLife.c_str());
    return 1;
  }

  const std::vector<std::string> files = FilesOfTheState(game);
  size_t bytes = 0;
  std::vector<double> times, floors;
  for (int round = -2; round < rounds; ++round) {  // two rounds of each to warm up
    for (bool floor : {true, false}) {
      const auto start = std::chrono::steady_clock::now();
      if (floor) {
        bytes = ReadOnce(files);
      } else {
        game_files::ReadGameState(game);
      }
      const auto stop = std::chrono::steady_clock::now();
      if (round >= 0) {
        (floor ? floors : times)
            .push_back(std::chrono::duration<double, std::milli>(stop - start).count());
      }
    }
  }
  tools::RemoveTree(halfLife);

  const bench::Summary state = bench::Summarize(times), floor = bench::Summarize(floors);
  std::printf("state of the folder, NNBot live with 7 waypoints of 1 MB, %zu rounds\n",
              times.size());
  std::printf("floor: %zu files, %.1f MB, each read once\n", files.size(), bytes / 1048576.0);
  std::printf("state: median %.1f ms, quartiles %.1f-%.1f ms, best %.1f ms\n", state.median,
              state.low, state.high, state.best);
  std::printf("floor: median %.1f ms, quartiles %.1f-%.1f ms, best %.1f ms\n", floor.median,
              floor.low, floor.high, floor.best);
  std::printf("state / floor: %.2f x median, %.2f x best\n", state.median / floor.median,
              state.best / floor.best);
  return 0;
}
