// Reading what the editor opens with: a modification's maps and its rotation.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace game_files {

// The rotation file's name in a modification's folder.
inline constexpr char kCycleFileName[] = "mapcycle.txt";

// The listing pattern of a modification's map files.
std::string MapFilesPattern(const std::string& hlPath, const std::string& modDir);
// The modification's rotation file.
std::string CycleFilePath(const std::string& hlPath, const std::string& modDir);

// Returns `maps` without the maps named in the cycle file. Names are compared whole and
// upper-cased with `toUpper`; nothing is trimmed and no extension is added or removed.
std::vector<std::string> MapsNotInCycle(
    std::vector<std::string> maps, const std::vector<std::string>& cycleLines,
    const std::function<std::string(std::string_view)>& toUpper);

// Map file names without their last four characters (the ".bsp").
std::vector<std::string> MapNamesOf(const std::vector<std::string>& fileNames);

struct ModCycle {
  // Why the editor cannot open; empty when it can. Shown to the user as it is.
  std::string problem;
  // The rotation file: the one read, and the one a save replaces.
  std::string cyclePath;
  // The maps that are not in the rotation, in listing order.
  std::vector<std::string> maps;
  // The lines of the rotation file, unchanged and in file order.
  std::vector<std::string> rotation;
  // The rotation file's bytes.
  std::string bytes;
};

// Lists the modification's map files and reads its rotation file. A map leaves
// `maps` when a line names it, letter case ignored. Fails with a message when
// there is no map file or when the listing or the rotation file cannot be read.
ModCycle ReadModCycle(const std::string& hlPath, const std::string& modDir);

}  // namespace game_files
