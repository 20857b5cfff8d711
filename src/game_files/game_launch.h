// Starting Counter-Strike from its Half-Life folder.
#pragma once

#include <string>

#include "platform/status.h"

namespace game_files {

inline constexpr char kGameCommandLine[] = "hl.exe -console -game cstrike";

// Makes `folder` the current folder and starts `folder`\hl.exe there with the
// game's command line, without waiting for it. The executable is named by its
// full path so that no other hl.exe on the search path can start instead.
// When the game already runs from `folder`, no second copy is started: the
// running game's window is brought forward instead.
platform::Status LaunchGame(const std::string& folder);

}  // namespace game_files
