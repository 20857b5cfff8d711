// The map-cycle editor's messages, in the player's words.
#pragma once

#include <string>
#include <vector>

#include "game_files/cycle_save.h"
#include "game_files/folder_turn.h"

namespace cycle_editor {

// The save went through; `kept` names the version another program had
// written, kept in a backup, or is empty.
inline constexpr char kSavedText[] = "Map Saved";
inline constexpr char kSavedTitle[] = "Saved";
std::string SavedOverChangedText(const std::string& path, const std::string& kept);

// The save of `path` failed: `outcome` says why, or the file is UTF-16 text.
std::string SaveFailureText(const std::string& path, const game_files::SaveOutcome& outcome,
                            bool utf16);

// A switch cut short in the folder of the rotation file was put back before the save.
std::string PutBackBeforeSaveText(const game_files::PutBack& putBack);

// The lines of the rotation file at `path` (counted from 0) that the list shows other than
// they are.
std::string ShownOtherwiseText(const std::string& path, const std::vector<std::size_t>& lines,
                               bool utf16);

}  // namespace cycle_editor
