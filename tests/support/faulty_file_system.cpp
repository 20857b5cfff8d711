#include "faulty_file_system.h"

namespace testing_support {

template <typename Result, typename Real>
Result FaultyFileSystem::Through(const char* what, const std::string& path, Result failed,
                                 Real real) {
  const int number = static_cast<int>(calls.size()) + 1;
  const bool fails = number == failAt || (crashAt > 0 && number >= crashAt);
  calls.push_back({what, path, !fails});
  if (fails) {
    SetLastError(error);
    return failed;
  }
  Result result = real();
  const DWORD lastError = GetLastError();
  if (afterCall) afterCall(calls.back());
  SetLastError(lastError);
  return result;
}

platform::UniqueHandle FaultyFileSystem::Open(const std::string& path, DWORD access, DWORD share,
                                              DWORD disposition) {
  return Through("open", path, platform::UniqueHandle(),
                 [&] { return real_.Open(path, access, share, disposition); });
}
bool FaultyFileSystem::Read(HANDLE file, void* buffer, DWORD size, DWORD& read) {
  return Through("read", "", false, [&] { return real_.Read(file, buffer, size, read); });
}
bool FaultyFileSystem::Write(HANDLE file, const void* bytes, DWORD size, DWORD& written) {
  return Through("write", "", false, [&] { return real_.Write(file, bytes, size, written); });
}
bool FaultyFileSystem::Flush(HANDLE file) {
  return Through("flush", "", false, [&] { return real_.Flush(file); });
}
bool FaultyFileSystem::Size(HANDLE file, LARGE_INTEGER& size) {
  return Through("size", "", false, [&] { return real_.Size(file, size); });
}
bool FaultyFileSystem::GetChangeTime(HANDLE file, FILETIME& changed) {
  return Through("get time", "", false, [&] { return real_.GetChangeTime(file, changed); });
}
bool FaultyFileSystem::SetChangeTime(HANDLE file, const FILETIME& changed) {
  return Through("set time", "", false, [&] { return real_.SetChangeTime(file, changed); });
}
bool FaultyFileSystem::Move(const std::string& from, const std::string& to, DWORD flags) {
  return Through("move", to, false, [&] { return real_.Move(from, to, flags); });
}
bool FaultyFileSystem::Delete(const std::string& path) {
  return Through("delete", path, false, [&] { return real_.Delete(path); });
}
bool FaultyFileSystem::Link(const std::string& link, const std::string& existing) {
  return Through("link", link, false, [&] { return real_.Link(link, existing); });
}
DWORD FaultyFileSystem::Attributes(const std::string& path) {
  return Through("attributes", path, INVALID_FILE_ATTRIBUTES,
                 [&] { return real_.Attributes(path); });
}
bool FaultyFileSystem::MakeFolder(const std::string& path) {
  return Through("make folder", path, false, [&] { return real_.MakeFolder(path); });
}
bool FaultyFileSystem::RemoveFolder(const std::string& path) {
  return Through("remove folder", path, false, [&] { return real_.RemoveFolder(path); });
}
platform::UniqueFind FaultyFileSystem::FindFirst(const std::string& pattern,
                                                 WIN32_FIND_DATAA& entry) {
  return Through("list", pattern, platform::UniqueFind(),
                 [&] { return real_.FindFirst(pattern, entry); });
}
bool FaultyFileSystem::FindNext(HANDLE find, WIN32_FIND_DATAA& entry) {
  return Through("list next", "", false, [&] { return real_.FindNext(find, entry); });
}
bool FaultyFileSystem::EnterFolder(const std::string& path) {
  return Through("enter folder", path, false, [&] { return real_.EnterFolder(path); });
}

}  // namespace testing_support
