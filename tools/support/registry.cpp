#include "support/registry.h"

#include <algorithm>

#include "platform/handles.h"

namespace tools {
namespace {

constexpr char kHalfLifeKey[] = "Software\\Valve\\Half-Life";
constexpr char kSteamKey[] = "Software\\Valve\\Steam";

REGSAM ViewFlag(RegistryView view) {
  return view == RegistryView::k32Bit ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

RegistryView Other(RegistryView view) {
  return view == RegistryView::k32Bit ? RegistryView::k64Bit : RegistryView::k32Bit;
}

}  // namespace

bool SetRegistryValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                      std::string_view data, RegistryView view) {
  HKEY opened = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | ViewFlag(view), nullptr,
                      &opened, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  platform::UniqueKey owned(opened);
  return RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name,
                         RegistryView view) {
  HKEY opened = nullptr;
  LONG status = RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE | ViewFlag(view), &opened);
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status != ERROR_SUCCESS) return false;
  platform::UniqueKey owned(opened);
  status = RegDeleteValueA(opened, name.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

void DeleteRegistryKey(HKEY root, const std::string& key, RegistryView view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS | ViewFlag(view), &opened) !=
      ERROR_SUCCESS) {
    return;
  }
  platform::UniqueKey owned(opened);
  char name[16384];
  for (DWORD size = sizeof(name);
       RegEnumValueA(opened, 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       size = sizeof(name)) {
    if (RegDeleteValueA(opened, name) != ERROR_SUCCESS) break;
  }
  owned.reset();
  // RegDeleteKeyExA, which takes a view, is not on Windows XP: open the parent in the view.
  const size_t slash = key.find_last_of('\\');
  HKEY parent = root;
  platform::UniqueKey ownedParent;
  if (slash != std::string::npos) {
    if (RegOpenKeyExA(root, key.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS | ViewFlag(view),
                      &parent) != ERROR_SUCCESS) {
      return;
    }
    ownedParent.reset(parent);
  }
  RegDeleteKeyA(parent, key.substr(slash + 1).c_str());
}

bool RegisterInstallPath(const std::string& halfLifeFolder, RegistryView view,
                         const std::string& below) {
  const std::string key = below + kHalfLifeKey;
  return DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, "InstallPath", Other(view)) &&
         SetRegistryValue(HKEY_LOCAL_MACHINE, key, "InstallPath", REG_SZ,
                          std::string_view(halfLifeFolder.c_str(), halfLifeFolder.size() + 1),
                          view);
}

void UnregisterInstallPath() {
  for (RegistryView view : {RegistryView::k32Bit, RegistryView::k64Bit}) {
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kHalfLifeKey, "InstallPath", view);
  }
}

bool RegisterSteamPath(const std::string& steamFolder, const std::string& below) {
  std::string path = steamFolder;
  CharLowerBuffA(path.data(), static_cast<DWORD>(path.size()));
  std::replace(path.begin(), path.end(), '\\', '/');
  return SetRegistryValue(HKEY_CURRENT_USER, below + kSteamKey, "SteamPath", REG_SZ,
                          std::string_view(path.c_str(), path.size() + 1), RegistryView::k32Bit);
}

void UnregisterSteam() {
  DeleteRegistryValue(HKEY_CURRENT_USER, kSteamKey, "SteamPath", RegistryView::k32Bit);
  for (RegistryView view : {RegistryView::k32Bit, RegistryView::k64Bit}) {
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kSteamKey, "InstallPath", view);
  }
}

}  // namespace tools
