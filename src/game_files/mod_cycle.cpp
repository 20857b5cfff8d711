#include "game_files/mod_cycle.h"

#include <unordered_set>

namespace game_files {

std::string MapFilesPattern(const std::string& hlPath, const std::string& modDir) {
  return hlPath + "\\" + modDir + "\\" + "maps\\*.bsp";
}

std::string CycleFilePath(const std::string& hlPath, const std::string& modDir) {
  return hlPath + "\\" + modDir + "\\" + kCycleFileName;
}

std::vector<std::string> MapNamesOf(const std::vector<std::string>& fileNames) {
  std::vector<std::string> names;
  names.reserve(fileNames.size());
  for (const std::string& file : fileNames) {
    names.push_back(file.substr(0, file.size() >= 4 ? file.size() - 4 : 0));
  }
  return names;
}

std::vector<std::string> MapsNotInCycle(
    std::vector<std::string> maps, const std::vector<std::string>& cycleLines,
    const std::function<std::string(std::string_view)>& toUpper) {
  std::unordered_set<std::string> inCycle;
  inCycle.reserve(cycleLines.size());
  for (const auto& line : cycleLines) inCycle.insert(toUpper(line));
  std::erase_if(maps, [&](const std::string& map) { return inCycle.contains(toUpper(map)); });
  return maps;
}

}  // namespace game_files
