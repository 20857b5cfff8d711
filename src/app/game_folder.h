// Finding the Half-Life folder on this machine, again at each use, so that a
// game installed or moved while the program runs is found.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/game_places.h"
#include "platform/message_box.h"

namespace app {

inline constexpr char kGameExecutable[] = "hl.exe";

// The optional settings file beside launcher.exe, and where in it the player
// names the Half-Life folder.
inline constexpr char kSettingsFileName[] = "launcher.ini";
inline constexpr char kSettingsSection[] = "Game";
inline constexpr char kSettingsKey[] = "Folder";

struct GameSearch {
  std::string settingsFile;
  GameRecords records;
  // Where the game was looked for, in order, up to the folder it was found in.
  std::vector<GamePlace> looked;
  // The first folder that holds hl.exe; empty when none does.
  std::string found;
};

// launcher.ini in the folder of the running program.
std::string SettingsFileBesideProgram();

// Reads the settings file, the registry and Steam's library list, then looks
// for hl.exe in each place in turn (see GamePlaces).
GameSearch FindGame(const std::string& settingsFile);

// For a folder the player named that holds no hl.exe: says so. Empty otherwise.
std::string NamedFolderProblem(const GameSearch& search);

// When no folder holds the game: every place looked in, in order, and how to
// name another in the settings file. Empty when the game was found.
std::string PlacesLookedIn(const GameSearch& search);

// FindGame with the settings file beside the program; a named folder that
// holds no hl.exe is reported in a message box first.
GameSearch LocateGame(platform::MessageBoxes& messages, HWND owner);

}  // namespace app
