#include "game_finder/game_places.h"

#include <algorithm>
#include <string_view>

namespace game_finder {

std::vector<GamePlace> GamePlaces(const GameRecords& records, platform::LeadByteRule leadByte) {
  std::vector<GamePlace> places;
  auto add = [&](std::string_view folder, PlaceKind kind) {
    std::string windows = platform::WindowsFolder(folder, leadByte);
    if (windows.empty()) return;
    auto same = [&](const GamePlace& place) {
      return platform::SameFolder(place.folder, windows, leadByte);
    };
    if (std::ranges::none_of(places, same)) places.push_back({std::move(windows), kind});
  };
  add(records.namedFolder, PlaceKind::kNamed);
  if (!records.programFolder.empty()) {
    const std::string programFolder = platform::WindowsFolder(records.programFolder, leadByte);
    add(programFolder, PlaceKind::kBesideProgram);
    if (platform::LastSeparator(programFolder, leadByte) != std::string::npos) {
      add(platform::FolderOf(programFolder, leadByte), PlaceKind::kBesideProgram);
    }
  }
  add(records.sierraHalfLife, PlaceKind::kSierra);
  add(records.installPath, PlaceKind::kInstallPath);
  auto addLibrary = [&](std::string_view library) {
    const std::string root = platform::WindowsFolder(library, leadByte);
    if (!root.empty())
      add(platform::PathBelow(root, kSteamHalfLife, leadByte), PlaceKind::kSteamLibrary);
  };
  addLibrary(records.steamFolder);
  for (const std::string& library : records.steamLibraries) addLibrary(library);
  return places;
}

}  // namespace game_finder
