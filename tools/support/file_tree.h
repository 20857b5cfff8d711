// Small helpers that build and inspect folder trees through the Win32 API.
#pragma once

#include <string>
#include <vector>

namespace tools {

// Creates every missing folder of `path`.
bool MakeFolders(const std::string& path);
// Writes `bytes` as the whole file, creating its folders.
bool WriteTextFile(const std::string& path, const std::string& bytes);
// The whole file, or nullopt-like empty result with `ok` false.
bool ReadTextFile(const std::string& path, std::string& bytes);
// Removes a folder and everything below it.
void RemoveTree(const std::string& path);
// Names (files and folders, not "." and "..") directly in `folder`, sorted.
std::vector<std::string> FolderNames(const std::string& folder);

}  // namespace tools
