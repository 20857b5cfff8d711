// Switching the live game files to one bot profile's prepared copies.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/activation_transaction.h"
#include "app/profiles.h"
#include "platform/message_box.h"

namespace app {

// The Counter-Strike folder a switch works in, and what a failure's message
// adds (where the game was looked for when it was not found).
struct SwitchFolder {
  std::string folder;
  std::string failureNote;
};

// What tests choose about a switch.
struct SwitchOptions {
  std::optional<SYSTEMTIME> time;  // names the backups' folder; else the local time
};

// Tells the user what to do next, asks `locate` for the Counter-Strike folder
// (only now, so that the message comes before any file is looked at), makes
// it the current folder, takes the folder's writer's turn (putting back a
// switch cut short there first), then installs the profile's files, all or
// none (see SwitchTransaction). Nothing is changed when a prepared file is missing or a
// live file the switch would replace or remove is read-only or held open by
// another program (which Windows would refuse half-way). A live file whose bytes are in no prepared
// copy is backed up first (see SwitchBackups). Every problem is reported in a message box. Returns
// true when the whole profile is in place.
bool ActivateProfile(const Profile& profile, const std::function<SwitchFolder()>& locate,
                     platform::MessageBoxes& messages, HWND owner,
                     const SwitchOptions& options = {});

// The same in a known Counter-Strike folder.
bool ActivateProfile(const Profile& profile, const std::string& gameFolder,
                     platform::MessageBoxes& messages, HWND owner,
                     const SwitchOptions& options = {});

}  // namespace app
