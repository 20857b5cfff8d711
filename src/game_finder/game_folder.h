// Which Half-Life folder each job of the program works in: decided here only,
// from a search made afresh for each job.
#pragma once

#include <string>

#include "game_finder/game_search.h"

namespace game_finder {

enum class Job {
  kSwitchOrLaunch,  // a bot profile switch, "Launch Counter-Strike"
  kMapCycles,       // the mod chooser, and the editor it opens (HLPath)
};

// The Half-Life folder `job` works in:
// - a switch and the launch: the folder the game was found in, else
//   C:\SIERRA\Half-Life (whose failure then names every place looked in);
// - the mod chooser: the folder named in the settings file when it holds the
//   game; else the registry's install folder as it stands when it is a
//   folder; else the folder the game was found in; else the install folder as
//   the registry holds it: its text (empty: the game is not installed), or
//   "No Name" when there is none.
std::string HalfLifeFolderFor(Job job, const GameSearch& search);

// The Counter-Strike folder a bot profile switch works in: cstrike below the
// switch's Half-Life folder.
std::string SwitchCounterStrikeFolder(const GameSearch& search);
// The same for the running program, looked for now; no message is shown.
std::string SwitchCounterStrikeFolder();

}  // namespace game_finder
