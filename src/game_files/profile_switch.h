// Switching the live game files to one bot profile's prepared copies.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "game_files/folder_turn.h"
#include "game_files/profiles.h"
#include "platform/status.h"

namespace game_files {

// What tests choose about a switch.
struct SwitchOptions {
  std::optional<SYSTEMTIME> time;  // names the backups' folder; else the local time
};

// A prepared copy that is missing, with the files beside it that differ from
// it only by an extension Windows hides (names in its folder).
struct MissingFile {
  std::string path;
  std::vector<std::string> nearMisses;
};

// A file and the system's error code that stops the switch.
struct FileError {
  std::string path;
  unsigned long code = 0;
};

// How a switch ended. Nothing is changed unless it ends kSwitched or kLeftHalfway.
enum class SwitchResult {
  kSwitched,           // every live file is the profile's
  kGameRunning,        // the game runs from the folder's Half-Life folder
  kFolderUnusable,     // the game folder could not be made the current folder: `error`
  kTurnBusy,           // another launcher kept the folder's writer's turn: `error`
  kPutBackFailed,      // a switch cut short there could not be put back: `error`
  kListingFailed,      // the waypoint folder could not be listed: `error`
  kSourcesMissing,     // `missing`
  kSourcesUnreadable,  // `unreadable`: prepared copies there that cannot be read
  kReadOnly,           // `readOnly`: live files Windows would refuse to replace or delete
  kHeldOpen,           // `heldOpen`: live files another program holds open
  kNotChanged,         // a backup, a staged copy or a replacement failed (`error`); all undone
  kLeftHalfway,        // a replacement failed (`error`) and so did its undo (`undoError`)
};

struct SwitchOutcome {
  SwitchResult result = SwitchResult::kSwitched;
  std::string folder;  // the Counter-Strike folder
  platform::Status error, undoError;
  std::vector<MissingFile> missing;
  std::vector<FileError> unreadable, heldOpen;
  std::vector<std::string> readOnly;
  // kLeftHalfway: the live files left as the profile's, and those left removed.
  std::vector<std::string> fresh, removed;
};

// Unless the game runs from the Half-Life folder that holds the Counter-Strike
// folder `gameFolder` (it keeps the bot it has loaded, and reads the other
// add-on's files at its next map), makes `gameFolder` the current folder, takes its
// writer's turn (a switch cut short there is put back first and told to
// `report`), then installs the profile's files, all or none (see
// SwitchTransaction). Nothing is changed when a prepared file is missing or
// unreadable, or a live file the switch would replace or remove is read-only
// or held open by another program (which Windows would refuse half-way). A
// live file whose bytes are in no prepared copy is backed up first (see
// Backups). The turn is let go before it returns.
SwitchOutcome SwitchProfile(const Profile& profile, const std::string& gameFolder,
                            const PutBackReport& report = {}, const SwitchOptions& options = {});

}  // namespace game_files
