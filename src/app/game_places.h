// Where the game may be installed: the places to look for it in, in order.
// Window-free: the records come from the settings file, the registry and
// Steam's library list, read elsewhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// The folder the game's CD installer uses.
inline constexpr char kSierraHalfLife[] = "C:\\SIERRA\\Half-Life";
// Below a Steam library, the folder Half-Life (with Counter-Strike) is installed in.
inline constexpr char kSteamHalfLife[] = "steamapps\\common\\Half-Life";
// The file below Steam's folder that lists its libraries.
inline constexpr char kSteamLibraryList[] = "steamapps\\libraryfolders.vdf";

// What the machine records about where the game may be; empty: not recorded.
struct GameRecords {
  std::string namedFolder;                  // named by the player in the settings file
  std::string installPath;                  // the registry's Half-Life install folder
  std::string steamFolder;                  // Steam's own folder
  std::vector<std::string> steamLibraries;  // the libraries Steam lists
};

enum class PlaceKind { kNamed, kSierra, kInstallPath, kSteamLibrary };

struct GamePlace {
  std::string folder;
  PlaceKind kind;
};

// The folders to look for the game in, in the order they are tried: the named
// folder, C:\SIERRA\Half-Life, the install folder, then Half-Life in Steam's
// own folder and in each of its libraries. Each folder is named once (the
// first time), ignoring letter case and trailing separators.
std::vector<GamePlace> GamePlaces(const GameRecords& records);

// `folder` as Windows names it: forward slashes (as Steam writes its path)
// become backslashes and trailing separators go, but a drive's root keeps its
// own ("C:\").
std::string WindowsFolder(std::string_view folder);

// `folder` taken from `base` when it is relative ("..\\Half-Life", "Games"), as
// it is when absolute ("D:\\Games", "\\\\server\\share", "\\Games").
std::string ResolvedFrom(std::string_view base, std::string_view folder);

// `name` below `folder`, with one separator between them.
std::string PathBelow(std::string_view folder, std::string_view name);

}  // namespace app
