// Times the switch of the kill test in-process: to NNBot, whose seven prepared
// waypoints are 1 MB each, from Rambot's live waypoints of other contents and
// a stray one (each of those backed up first). Every round starts from the
// same live files; the backups are removed between rounds, untimed.
// BENCH_SWITCHES sets the number of timed rounds (default 15).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/activation.h"
#include "app/profiles.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace {

class SilentMessages : public platform::MessageBoxes {
 public:
  void Show(HWND, const std::string& text, const std::optional<std::string>&,
            platform::MessageStyle) override {
    last = text;
  }
  std::string last;
};

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
  for (const app::FileCopy& copy : app::ProfileFor(app::ProfileId::kRambot).waypoints) {
    files.emplace_back(copy.destination, std::string("old ") + copy.destination);
  }
  return std::all_of(files.begin(), files.end(), [&](const auto& file) {
    return tools::WriteTextFile(game + "\\" + file.first, file.second);
  });
}

}  // namespace

int main() {
  const char* wanted = std::getenv("BENCH_SWITCHES");
  const int rounds = wanted && std::atoi(wanted) > 0 ? std::atoi(wanted) : 15;
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  const std::string halfLife =
      std::string(base) + "switch-bench-" + std::to_string(GetCurrentProcessId());
  const std::string game = halfLife + "\\cstrike";
  bool ready = tools::InstallDemoGame(halfLife);
  const app::Profile& nnb = app::ProfileFor(app::ProfileId::kNNBot);
  for (const app::FileCopy& copy : nnb.waypoints) {
    std::string content;
    while (content.size() < (1u << 20)) content += std::string(copy.source) + " ";
    ready = tools::WriteTextFile(game + "\\" + copy.source, content) && ready;
  }
  if (!ready) {
    std::printf("could not write the game below %s\n", halfLife.c_str());
    return 1;
  }

  SilentMessages messages;
  std::vector<double> times;
  for (int round = -2; round < rounds; ++round) {  // two rounds to warm up
    if (!PutBackLiveFiles(game)) {
      std::printf("could not put the live files back\n");
      return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool switched = app::ActivateProfile(nnb, game, messages, nullptr);
    const auto stop = std::chrono::steady_clock::now();
    if (!switched) {
      std::printf("the switch failed: %s\n", messages.last.c_str());
      return 1;
    }
    if (round >= 0)
      times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
  }
  SetCurrentDirectoryA(base);
  tools::RemoveTree(halfLife);

  std::sort(times.begin(), times.end());
  const size_t n = times.size();
  std::printf("switch to NNBot, 7 waypoints of 1 MB, %zu rounds\n", n);
  std::printf("median %.1f ms, quartiles %.1f-%.1f ms, best %.1f ms\n", times[n / 2], times[n / 4],
              times[3 * n / 4], times.front());
  return 0;
}
