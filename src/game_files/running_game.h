// The game running from a Half-Life folder: a switch there would change the
// files under it, and a launch would start a second copy.
#pragma once

#include <string>

namespace game_files {

// Whether a program runs whose file is hl.exe in `halfLifeFolder`. A game
// started from another copy of Half-Life does not count.
bool GameRunsFrom(const std::string& halfLifeFolder);

// Brings the window of the game running from `halfLifeFolder` to the front;
// false when none runs there.
bool BringGameForward(const std::string& halfLifeFolder);

}  // namespace game_files
