// The main window's messages: what a switch, a put-back or the launch did,
// in the player's words.
#pragma once

#include <string>

#include "game_files/folder_turn.h"
#include "game_files/game_state.h"
#include "game_files/profile_switch.h"

namespace app {

// The title of the box that tells what to do after a profile's switch.
inline constexpr char kActivationTitle[] = "MsgBox Demonstration";

// Why the switch to `profile` did not end with every live file the profile's,
// and what it left.
std::string SwitchFailureText(const game_files::SwitchOutcome& outcome, const std::string& profile);

// A switch cut short in the folder was put back. `profile` names the switch
// that now goes on; empty at the program's start.
std::string PutBackText(const game_files::PutBack& putBack, const std::string& profile);

// Putting back a switch cut short at the program's start failed.
std::string PutBackAtStartFailureText(const std::string& folder, const platform::Status& error);

// The tip of a profile's button: what it does for `profile`, and whether its
// switch can run in the Counter-Strike folder `folder` now or what it misses.
std::string ProfileTipText(game_files::ProfileId profile, const game_files::GameState& state,
                           const std::string& folder);

// The tip of "Launch Counter-Strike": the Half-Life folder the game starts from
// and the profile it will run.
std::string LaunchTipText(const game_files::GameState& state, const std::string& halfLifeFolder);

// The game could not be started.
std::string LaunchFailureText(const platform::Status& error);

}  // namespace app
