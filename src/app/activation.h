// Switching the live game files to one bot profile's prepared copies.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/profiles.h"
#include "platform/message_box.h"

namespace app {

// The Counter-Strike folder a switch works in, and what a failure's message
// adds (where the game was looked for when it was not found).
struct SwitchFolder {
  std::string folder;
  std::string failureNote;
};

// Tells the user what to do next, asks `locate` for the Counter-Strike folder
// (only now, so that the message comes before any file is looked at), makes
// it the current folder, then installs the profile's files. Nothing is changed when a prepared file
// is missing; a live file is never left missing or partial, and one whose bytes are in no prepared
// copy is backed up before it is replaced or removed (see SwitchBackups), its backup named by
// `time`, the local time if not given. Every problem is reported in a message box. Returns true
// when the whole profile is in place.
bool ActivateProfile(const Profile& profile, const std::function<SwitchFolder()>& locate,
                     platform::MessageBoxes& messages, HWND owner,
                     std::optional<SYSTEMTIME> time = std::nullopt);

// The same in a known Counter-Strike folder.
bool ActivateProfile(const Profile& profile, const std::string& gameFolder,
                     platform::MessageBoxes& messages, HWND owner,
                     std::optional<SYSTEMTIME> time = std::nullopt);

}  // namespace app
