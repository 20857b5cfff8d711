// Installs the demo game: make_demo [--reset] [HALF-LIFE-FOLDER]
// Without --reset an existing install is left as it is.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"

int main(int argc, char** argv) {
  bool reset = false;
  std::string folder = tools::kDemoHalfLifeFolder;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--reset") {
      reset = true;
    } else {
      folder = argument;
    }
  }
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
