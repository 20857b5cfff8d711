// Reading what the registry records about where the game and Steam are.
#pragma once

#include <optional>
#include <string>

namespace game_finder {

// Where the game's installer records its folder, below HKLM.
inline constexpr char kHalfLifeKey[] = "Software\\Valve\\Half-Life\\";
inline constexpr char kInstallPathValue[] = "InstallPath";

// What the install folder reads as when the registry has no value for it.
inline constexpr char kNoInstallPath[] = "No Name";

// The text of the registry value `name` under `key` of `root` ("HKLM",
// "HKCU"), which may be empty; nothing when the key or the value is missing or
// unreadable.
std::optional<std::string> RegistryText(const std::string& root, const std::string& key,
                                        const std::string& name);

// HKLM\Software\Valve\Half-Life\InstallPath, read once; with `below`, under that key
// of HKLM instead.
std::optional<std::string> RegistryInstallPath(const std::string& below = {});

// The install folder as a window's load sets HLPath from that value: its text,
// or "No Name" when there is none.
std::string InstallPathOrNoName(const std::optional<std::string>& installPath);

// Reads the install folder into `hlPath` (see InstallPathOrNoName).
void ReadInstallPath(std::string& hlPath);

}  // namespace game_finder
