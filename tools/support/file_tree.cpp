#include "support/file_tree.h"

#include <windows.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/handles.h"
#include "platform/path.h"
#include "platform/text.h"

namespace tools {

// By characters, as the program splits paths: a folder's name may end in a character whose second
// byte is that of '\\' (表 in code page 932).
bool MakeFolders(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
    return true;
  if (GetLastError() != ERROR_PATH_NOT_FOUND) return false;
  const std::string parent = platform::FolderOf(path, platform::AnsiLeadByte);
  return parent != path && parent != "." && MakeFolders(parent) &&
         CreateDirectoryA(path.c_str(), nullptr);
}

bool WriteTextFile(const std::string& path, const std::string& bytes) {
  const std::string folder = platform::FolderOf(path, platform::AnsiLeadByte);
  if (folder != "." && !MakeFolders(folder)) return false;
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
