#include "temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/file_tree.h"

namespace testing_support {

TempFolder::TempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  path_ = std::string(base) + "launcher-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  tools::RemoveTree(path_);
  tools::MakeFolders(path_);
}

TempFolder::~TempFolder() {
  // A test may leave the process in this folder; step out so it can go.
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  if (std::string(current).rfind(path_, 0) == 0) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    SetCurrentDirectoryA(base);
  }
  tools::RemoveTree(path_);
}

std::string FileBytes(const std::string& path) {
  std::string bytes;
  return tools::ReadTextFile(path, bytes) ? bytes : "(unreadable)";
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : tools::FolderNames(folder)) {
    std::string bytes;
    if (tools::ReadTextFile(folder + "\\" + name, bytes)) files[name] = bytes;
    for (auto& [below, content] : FilesBelow(folder + "\\" + name)) {
      files[name + "\\" + below] = content;
    }
  }
  return files;
}

platform::UniqueHandle HoldOpen(const std::string& path, DWORD access, DWORD share) {
  platform::UniqueHandle held = platform::AdoptHandle(
      CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_TRUE(held) << "cannot hold " << path;
  return held;
}

}  // namespace testing_support
