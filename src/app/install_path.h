// Reading the Half-Life install folder from the registry.
#pragma once

#include <string>

namespace app {

// What the install folder reads as when the registry has no value for it.
inline constexpr char kNoInstallPath[] = "No Name";

// Empties `hlPath`, then reads HKLM\Software\Valve\Half-Life\InstallPath into
// it: the stored text (which may be empty), or "No Name" when the key or the
// value is missing or unreadable.
void ReadInstallPath(std::string& hlPath);

}  // namespace app
