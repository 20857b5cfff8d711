// Switching the live game files to one bot profile's prepared copies.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/profiles.h"
#include "platform/message_box.h"

namespace app {

// Tells the user what to do next, makes `gameFolder` the current folder, then
// installs the profile's files. Nothing is changed when a prepared file is
// missing; a live file is never left missing or partial, and one whose bytes
// are in no prepared copy is backed up before it is replaced or removed (see
// SwitchBackups), its backup named by `time`, the local time if not given.
// Every problem is reported in a message box. Returns true when the whole
// profile is in place.
bool ActivateProfile(const Profile& profile, const std::string& gameFolder,
                     platform::MessageBoxes& messages, HWND owner,
                     std::optional<SYSTEMTIME> time = std::nullopt);

}  // namespace app
