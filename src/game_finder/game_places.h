// Where the game may be installed: the places to look for it in, in order.
// Window-free: the records come from the settings file, the program's own
// folder, the registry and Steam's library list, read elsewhere; the code
// page's lead-byte rule is passed in.
#pragma once

#include <string>
#include <vector>

#include "platform/path.h"

namespace game_finder {

// The folder the game's CD installer uses, and where a switch and the launch
// work when the game is found nowhere.
inline constexpr char kSierraHalfLife[] = "C:\\SIERRA\\Half-Life";
// Below a Steam library, the folder Half-Life (with Counter-Strike) is installed in.
inline constexpr char kSteamHalfLife[] = "steamapps\\common\\Half-Life";
// The file below Steam's folder that lists its libraries.
inline constexpr char kSteamLibraryList[] = "steamapps\\libraryfolders.vdf";

// What the machine records about where the game may be, in the ANSI code
// page; empty: not recorded.
struct GameRecords {
  std::string namedFolder;                       // named by the player in the settings file
  std::string programFolder;                     // the folder launcher.exe runs from
  std::string installPath;                       // the registry's Half-Life install folder
  std::string steamFolder;                       // Steam's own folder
  std::vector<std::string> steamLibraries;       // the libraries Steam lists
  std::string sierraHalfLife = kSierraHalfLife;  // the CD installer's folder
};

enum class PlaceKind { kNamed, kBesideProgram, kSierra, kInstallPath, kSteamLibrary };

struct GamePlace {
  std::string folder;
  PlaceKind kind;
};

// The folders to look for the game in, in the order they are tried: the named
// folder; the program's folder and the one above it (for a launcher.exe put
// beside hl.exe or into cstrike); C:\SIERRA\Half-Life; the install folder;
// then Half-Life in Steam's own folder and in each of its libraries. Each
// folder is named once (the first time), ignoring letter case and trailing
// separators.
std::vector<GamePlace> GamePlaces(const GameRecords& records, platform::LeadByteRule leadByte);

}  // namespace game_finder
