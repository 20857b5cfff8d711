#include "cycle_editor/mod_cycle.h"

namespace cycle_editor {

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

}  // namespace cycle_editor
