// A small Half-Life install with Counter-Strike, the prepared files of every
// bot profile and a second modification: what a new user tries first, and
// what the end-to-end tests start from.
#pragma once

#include <string>
#include <vector>

namespace tools {

inline constexpr char kDemoHalfLifeFolder[] = "C:\\SIERRA\\Half-Life";

// The demo as Steam installs it: Steam's own folder, and a second library that
// holds Half-Life.
inline constexpr char kDemoSteamFolder[] = "C:\\Program Files (x86)\\Steam";
inline constexpr char kDemoSteamLibrary[] = "C:\\SteamLibrary";
inline constexpr char kDemoSteamHalfLifeFolder[] = "C:\\SteamLibrary\\steamapps\\common\\Half-Life";

// The maps of the demo's Counter-Strike folder, without ".bsp".
const std::vector<std::string>& DemoCounterStrikeMaps();

// The recognisable content of a prepared or live file of the demo.
std::string DemoFileContent(const std::string& relativeName);

// Writes the demo below `halfLifeFolder`. Returns false when a file could not
// be written.
bool InstallDemoGame(const std::string& halfLifeFolder);

// Steam's library list in its current format, naming `libraries` (Steam's own
// folder first, as Steam writes it).
std::string SteamLibraryList(const std::vector<std::string>& libraries);

// Leaves the machine as Steam does: SteamPath recorded per user (no Half-Life
// InstallPath is written), Steam's library list naming its own folder and the
// second library, and the demo game with `gameExecutable` copied in as hl.exe
// in that library's Half-Life folder. C:\SIERRA is not touched.
bool InstallDemoGameAsSteam(const std::string& gameExecutable);

// Removes the Steam folders and Steam's registry values.
void RemoveDemoSteamInstall();

// Leaves no hl.exe where the launcher looks for the game but in the registry's
// install folder: removes the demo Steam install and C:\SIERRA\Half-Life\hl.exe.
void LeaveNoGameToFind();

}  // namespace tools
