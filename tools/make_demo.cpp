// Installs the demo game: make_demo [--reset] [--steam] [HALF-LIFE-FOLDER]
// Without --reset an existing install is left as it is; a demo Steam install
// is removed. --steam installs it as
// Steam leaves a machine instead (see InstallDemoGameAsSteam), with the stand-in
// game beside this program as hl.exe, and removes the C:\SIERRA demo and the
// registry's Half-Life install folder, so that only Steam's install is there.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"

namespace {

int InstallAsSteam() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string game = self;
  game = game.substr(0, game.find_last_of('\\') + 1) + "fake_game.exe";
  tools::RemoveDemoSteamInstall();
  tools::RemoveTree(tools::kDemoHalfLifeFolder);
  tools::UnregisterInstallPath();
  if (!tools::InstallDemoGameAsSteam(game)) {
    std::fprintf(stderr, "Could not install the demo game as Steam does\n");
    return 1;
  }
  std::printf("Demo game ready in %s, found through Steam\n", tools::kDemoSteamHalfLifeFolder);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool reset = false;
  std::string folder = tools::kDemoHalfLifeFolder;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--steam") return InstallAsSteam();
    if (argument == "--reset") {
      reset = true;
    } else {
      folder = argument;
    }
  }
  tools::RemoveDemoSteamInstall();  // left by an earlier --steam, it would be found first
  bool present = GetFileAttributesA((folder + "\\cstrike").c_str()) != INVALID_FILE_ATTRIBUTES;
  if (present && reset) tools::RemoveTree(folder);
  if ((!present || reset) && !tools::InstallDemoGame(folder)) {
    std::fprintf(stderr, "Could not write the demo game to %s\n", folder.c_str());
    return 1;
  }
  if (!tools::RegisterInstallPath(folder)) {
    std::fprintf(stderr, "Could not set the install path in the registry\n");
    return 1;
  }
  std::printf("Demo game ready in %s\n", folder.c_str());
  return 0;
}
