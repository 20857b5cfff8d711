// Finding the Half-Life folder on this machine, again at each use, so that a
// game installed or moved while the program runs is found.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "game_finder/game_places.h"

namespace game_finder {

inline constexpr char kGameExecutable[] = "hl.exe";
inline constexpr char kCounterStrikeFolder[] = "cstrike";

// The optional settings file beside launcher.exe, and where in it the player
// names the Half-Life folder.
inline constexpr char kSettingsFileName[] = "launcher.ini";
inline constexpr char kSettingsSection[] = "Game";
inline constexpr char kSettingsKey[] = "Folder";
// At most this many bytes of the settings file are read.
inline constexpr std::size_t kSettingsFileLimit = 1 << 16;

struct LookedPlace {
  GamePlace place;
  bool halfLifeOnly = false;  // it holds hl.exe but no cstrike folder
};

struct GameSearch {
  std::string settingsFile;
  // The registry's install folder, read once for the search: its text, or
  // nothing when there is none (records.installPath is then empty).
  std::optional<std::string> installPath;
  GameRecords records;
  // Where the game was looked for, in order, up to the folder it was found in.
  std::vector<LookedPlace> looked;
  // Folders recorded in UTF-8 whose names the ANSI code page cannot hold, so
  // they could not be looked in; each as near as the code page can show it.
  std::vector<GamePlace> unnameable;
  // The first folder that holds hl.exe and a cstrike folder; empty when none does.
  std::string found;
};

// The folder the running program was started from, and launcher.ini in it.
std::string ProgramFolder();
std::string SettingsFileBesideProgram();

// Where a search reads the machine: the settings file, the program's folder,
// the CD installer's folder, and the key of HKLM and HKCU the registry's
// records are read under (empty: the registry's own keys).
struct SearchPlaces {
  std::string settingsFile;
  std::string programFolder;
  std::string sierraHalfLife = kSierraHalfLife;
  std::string registryKey;
};

// The running program's places: launcher.ini beside it, its folder,
// C:\SIERRA\Half-Life and the registry's own keys; or those a
// SearchPlacesInUse puts in their place.
SearchPlaces PlacesSearched();

// Puts `places` in place of the running program's while it lives (tests
// only: each case gets a machine of its own).
class SearchPlacesInUse {
 public:
  explicit SearchPlacesInUse(const SearchPlaces& places);
  ~SearchPlacesInUse();
  SearchPlacesInUse(const SearchPlacesInUse&) = delete;
  SearchPlacesInUse& operator=(const SearchPlacesInUse&) = delete;

 private:
  std::optional<SearchPlaces> previous_;
};

// Reads the settings file, the registry and Steam's library list, then looks
// for hl.exe with a cstrike folder beside it in each place in turn (see
// GamePlaces).
GameSearch FindGame(const SearchPlaces& places);

// FindGame in the places the running program searches.
GameSearch FindGame();

// Whether the game was found in the folder the player named.
bool FoundInNamedFolder(const GameSearch& search);

// For a folder the player named that is not used (it holds no game, or its
// name cannot be looked up): why. Empty otherwise.
std::string NamedFolderFailureText(const GameSearch& search);

// When no folder holds the game: every place looked in, in order, those that
// could not be, and how to name another in the settings file. Empty when the
// game was found.
std::string NotFoundFailureText(const GameSearch& search);

}  // namespace game_finder
