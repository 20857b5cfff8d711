// Starting Counter-Strike from its Half-Life folder.
#pragma once

#include <windows.h>

#include <string>

#include "platform/message_box.h"

namespace app {

inline constexpr char kGameCommandLine[] = "hl.exe -console -game cstrike";

// Makes `folder` the current folder and starts `folder`\hl.exe there with the
// game's command line, without waiting for it. The executable is named by its
// full path so that no other hl.exe on the search path can start instead.
// A failure is reported in a message box, followed by `failureNote` when it is
// not empty; returns true when the game started.
bool LaunchGame(const std::string& folder, platform::MessageBoxes& messages, HWND owner,
                const std::string& failureNote = {});

}  // namespace app
