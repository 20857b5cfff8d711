#include "app/game_places.h"

#include <algorithm>

namespace app {
namespace {

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameFolder(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace

std::string WindowsFolder(std::string_view folder) {
  std::string windows(folder);
  std::replace(windows.begin(), windows.end(), '/', '\\');
  while (windows.size() > 1 && windows.back() == '\\' && !windows.ends_with(":\\")) {
    windows.pop_back();
  }
  return windows;
}

std::string ResolvedFrom(std::string_view base, std::string_view folder) {
  const bool absolute = folder.starts_with('\\') || folder.starts_with('/') ||
                        (folder.size() >= 2 && folder[1] == ':');
  if (absolute || folder.empty()) return std::string(folder);
  return PathBelow(base, folder);
}

std::string PathBelow(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !path.ends_with('\\')) path += '\\';
  return path.append(name);
}

std::vector<GamePlace> GamePlaces(const GameRecords& records) {
  std::vector<GamePlace> places;
  auto add = [&](std::string_view folder, PlaceKind kind) {
    std::string windows = WindowsFolder(folder);
    if (windows.empty()) return;
    auto same = [&](const GamePlace& place) { return SameFolder(place.folder, windows); };
    if (std::ranges::none_of(places, same)) places.push_back({std::move(windows), kind});
  };
  add(records.namedFolder, PlaceKind::kNamed);
  add(kSierraHalfLife, PlaceKind::kSierra);
  add(records.installPath, PlaceKind::kInstallPath);
  auto addLibrary = [&](std::string_view library) {
    const std::string root = WindowsFolder(library);
    if (!root.empty()) add(PathBelow(root, kSteamHalfLife), PlaceKind::kSteamLibrary);
  };
  addLibrary(records.steamFolder);
  for (const std::string& library : records.steamLibraries) addLibrary(library);
  return places;
}

}  // namespace app
