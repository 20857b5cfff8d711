// Reading the Half-Life install folder from the registry.
#pragma once

#include <string>

namespace game_finder {

// Where the game's installer records its folder, below HKLM.
inline constexpr char kHalfLifeKey[] = "Software\\Valve\\Half-Life\\";
inline constexpr char kInstallPathValue[] = "InstallPath";

// What the install folder reads as when the registry has no value for it.
inline constexpr char kNoInstallPath[] = "No Name";

// Empties `hlPath`, then reads HKLM\Software\Valve\Half-Life\InstallPath into
// it: the stored text (which may be empty), or "No Name" when the key or the
// value is missing or unreadable.
void ReadInstallPath(std::string& hlPath);

}  // namespace game_finder
