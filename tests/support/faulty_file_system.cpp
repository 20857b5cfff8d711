#include "faulty_file_system.h"

namespace testing_support {

bool FaultyFileSystem::Allowed(const char* what, const std::string& path) {
  const int number = static_cast<int>(calls.size()) + 1;
  const bool fails = number == failAt || (crashAt > 0 && number >= crashAt);
  calls.push_back({what, path, !fails});
  if (fails) SetLastError(error);
  return !fails;
}

template <typename Result>
Result FaultyFileSystem::After(Result result) {
  const DWORD lastError = GetLastError();
  if (afterCall) afterCall(calls.back());
  SetLastError(lastError);
  return result;
}

platform::UniqueHandle FaultyFileSystem::Open(const std::string& path, DWORD access, DWORD share,
                                              DWORD disposition) {
  if (!Allowed("open", path)) return nullptr;
  return After(real_.Open(path, access, share, disposition));
}
bool FaultyFileSystem::Read(HANDLE file, void* buffer, DWORD size, DWORD& read) {
  if (!Allowed("read", "")) return false;
  return After(real_.Read(file, buffer, size, read));
}
bool FaultyFileSystem::Write(HANDLE file, const void* bytes, DWORD size, DWORD& written) {
  if (!Allowed("write", "")) return false;
  return After(real_.Write(file, bytes, size, written));
}
bool FaultyFileSystem::Flush(HANDLE file) {
  if (!Allowed("flush", "")) return false;
  return After(real_.Flush(file));
}
bool FaultyFileSystem::Size(HANDLE file, LARGE_INTEGER& size) {
  if (!Allowed("size", "")) return false;
  return After(real_.Size(file, size));
}
bool FaultyFileSystem::GetChangeTime(HANDLE file, FILETIME& changed) {
  if (!Allowed("get time", "")) return false;
  return After(real_.GetChangeTime(file, changed));
}
bool FaultyFileSystem::SetChangeTime(HANDLE file, const FILETIME& changed) {
  if (!Allowed("set time", "")) return false;
  return After(real_.SetChangeTime(file, changed));
}
bool FaultyFileSystem::Move(const std::string& from, const std::string& to, DWORD flags) {
  if (!Allowed("move", to)) return false;
  return After(real_.Move(from, to, flags));
}
bool FaultyFileSystem::Delete(const std::string& path) {
  if (!Allowed("delete", path)) return false;
  return After(real_.Delete(path));
}
bool FaultyFileSystem::Link(const std::string& link, const std::string& existing) {
  if (!Allowed("link", link)) return false;
  return After(real_.Link(link, existing));
}
DWORD FaultyFileSystem::Attributes(const std::string& path) {
  if (!Allowed("attributes", path)) return INVALID_FILE_ATTRIBUTES;
  return After(real_.Attributes(path));
}
bool FaultyFileSystem::MakeFolder(const std::string& path) {
  if (!Allowed("make folder", path)) return false;
  return After(real_.MakeFolder(path));
}
bool FaultyFileSystem::RemoveFolder(const std::string& path) {
  if (!Allowed("remove folder", path)) return false;
  return After(real_.RemoveFolder(path));
}
platform::UniqueFind FaultyFileSystem::FindFirst(const std::string& pattern,
                                                 WIN32_FIND_DATAA& entry) {
  if (!Allowed("list", pattern)) return nullptr;
  return After(real_.FindFirst(pattern, entry));
}
bool FaultyFileSystem::FindNext(HANDLE find, WIN32_FIND_DATAA& entry) {
  if (!Allowed("list next", "")) return false;
  return After(real_.FindNext(find, entry));
}
bool FaultyFileSystem::EnterFolder(const std::string& path) {
  if (!Allowed("enter folder", path)) return false;
  return After(real_.EnterFolder(path));
}

}  // namespace testing_support
