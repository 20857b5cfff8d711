// What the switch and state benchmarks share: the game they work on and how
// their times are summed up.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "game_files/profiles.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace bench {

struct Summary {
  double median, low, high, best;
};

inline Summary Summarize(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const size_t n = times.size();
  return {times[n / 2], times[n / 4], times[3 * n / 4], times.front()};
}

// The number in the environment variable `variable`, or `fallback`.
inline int Rounds(const char* variable, int fallback) {
  const char* wanted = std::getenv(variable);
  return wanted && std::atoi(wanted) > 0 ? std::atoi(wanted) : fallback;
}

// The demo game in a new folder `name`-<process> of the temporary folder, with NNBot's seven
// waypoints of 1 MB; false when it could not be written. `halfLife` receives its folder.
inline bool InstallBenchGame(const std::string& name, std::string& halfLife) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  halfLife = std::string(base) + name + "-" + std::to_string(GetCurrentProcessId());
  bool ready = tools::InstallDemoGame(halfLife);
  for (const game_files::FileCopy& copy :
       game_files::ProfileFor(game_files::ProfileId::kNNBot).waypoints) {
    std::string content;
    while (content.size() < (1u << 20)) content += std::string(copy.source) + " ";
    ready = tools::WriteTextFile(halfLife + "\\cstrike\\" + copy.source, content) && ready;
  }
  return ready;
}

// Makes the temporary folder the current one, so that the game's folder can be removed.
inline void LeaveBenchGame() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  SetCurrentDirectoryA(base);
}

}  // namespace bench
