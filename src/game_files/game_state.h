// What the main window shows before any click: the Counter-Strike folder's
// profiles as its files make them (see folder_state.h) and whether the game
// runs from it. Read afresh each time; nothing is written.
#pragma once

#include <string>

#include "game_files/folder_state.h"

namespace game_files {

struct GameState {
  FilesState profiles;
  bool gameRunning = false;
};

// Reads the state of the Counter-Strike folder `folder`, whose Half-Life folder
// holds it. Every file call goes through the file system in use.
GameState ReadGameState(const std::string& folder);

}  // namespace game_files
