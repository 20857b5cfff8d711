#include "support/file_tree.h"

#include <windows.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/handles.h"

namespace tools {

bool MakeFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3);; at = path.find('\\', at + 1)) {
    std::string prefix = path.substr(0, at);
    if (!CreateDirectoryA(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
    if (at == std::string::npos) return true;
  }
}

bool WriteTextFile(const std::string& path, const std::string& bytes) {
  size_t slash = path.find_last_of('\\');
  if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) return false;
  platform::UniqueHandle file = platform::AdoptHandle(CreateFileA(
      path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool ReadTextFile(const std::string& path, std::string& bytes) {
  return platform::ReadWholeFile(path, bytes).ok();
}

void RemoveTree(const std::string& path) {
  for (const std::string& name : FolderNames(path)) {
    std::string child = path + "\\" + name;
    DWORD attributes = GetFileAttributesA(child.c_str());
    SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      RemoveTree(child);
    } else {
      DeleteFileA(child.c_str());
    }
  }
  RemoveDirectoryA(path.c_str());
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  platform::UniqueFind find = platform::AdoptFind(FindFirstFileA((folder + "\\*").c_str(), &entry));
  if (!find) return names;
  do {
    std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find.get(), &entry));
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tools
