// Registry values written the way their real writers write them: the game's
// installer is a 32-bit program, so on 64-bit Windows its keys sit in the
// 32-bit view of HKLM\Software.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tools {

enum class RegistryView { k32Bit, k64Bit };

// Sets a value of any type in one view, creating the key.
bool SetRegistryValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                      std::string_view data, RegistryView view);
// Removes a value from one view; a value or key that is not there is no failure.
bool DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name,
                         RegistryView view);
// Removes a key without subkeys, with its values, from one view.
void DeleteRegistryKey(HKEY root, const std::string& key, RegistryView view);

// Points HKLM\Software\Valve\Half-Life\InstallPath at `halfLifeFolder` in one
// view only, as the game's installer does in the 32-bit view; the other view
// holds no such value afterwards (on 32-bit Windows both are the same). With
// `below`, under that key of HKLM instead.
bool RegisterInstallPath(const std::string& halfLifeFolder,
                         RegistryView view = RegistryView::k32Bit, const std::string& below = {});
// Removes InstallPath from both views.
void UnregisterInstallPath();

// Records Steam as its client does, per user: HKCU\Software\Valve\Steam
// SteamPath holds `steamFolder` in lower case with forward slashes. With
// `below`, under that key of HKCU instead.
bool RegisterSteamPath(const std::string& steamFolder, const std::string& below = {});
// Removes SteamPath, and Steam's HKLM InstallPath from both views.
void UnregisterSteam();

}  // namespace tools
