// Saving a modification's map cycle file without losing what another program
// wrote there since the editor opened it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "game_files/folder_turn.h"
#include "platform/status.h"

namespace game_files {

struct SaveOutcome {
  platform::Status error;  // the save failed: the file is as it was
  // The folder's writer's turn was not had, or a switch cut short there not put back.
  TurnFailure turnFailure = TurnFailure::kNone;
  // Another program had changed the file since `opened`: that version's backup.
  std::string keptChanged;
};

// Replaces the file `path` with `bytes`, holding its folder's writer's turn (a
// switch cut short there is put back first and told to `report`). The file is
// written beside its old self and renamed over it, so a failed save leaves the
// old file whole. When the file on disk is not `opened` (its bytes as the
// editor opened or last saved it; nothing: there was no file), that version
// is first kept in the folder's backups, and nothing is saved if that fails.
// `time` (local time) names the backup's folder; else the time now.
SaveOutcome SaveCycleFile(const std::string& path, const std::string& bytes,
                          const std::optional<std::string>& opened, const PutBackReport& report,
                          std::optional<SYSTEMTIME> time = {});

}  // namespace game_files
