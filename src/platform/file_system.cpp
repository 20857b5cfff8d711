#include "platform/file_system.h"

namespace platform {
namespace {

class Win32FileSystem : public FileSystem {
 public:
  UniqueHandle Open(const std::string& path, DWORD access, DWORD share,
                    DWORD disposition) override {
    return AdoptHandle(CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  bool Read(HANDLE file, void* buffer, DWORD size, DWORD& read) override {
    return ReadFile(file, buffer, size, &read, nullptr);
  }
  bool Write(HANDLE file, const void* bytes, DWORD size, DWORD& written) override {
    return WriteFile(file, bytes, size, &written, nullptr);
  }
  bool Flush(HANDLE file) override { return FlushFileBuffers(file); }
  bool Size(HANDLE file, LARGE_INTEGER& size) override { return GetFileSizeEx(file, &size); }
  bool GetChangeTime(HANDLE file, FILETIME& changed) override {
    return GetFileTime(file, nullptr, nullptr, &changed);
  }
  bool SetChangeTime(HANDLE file, const FILETIME& changed) override {
    return SetFileTime(file, nullptr, nullptr, &changed);
  }
  bool Move(const std::string& from, const std::string& to, DWORD flags) override {
    return MoveFileExA(from.c_str(), to.c_str(), flags);
  }
  bool Delete(const std::string& path) override { return DeleteFileA(path.c_str()); }
  bool Link(const std::string& link, const std::string& existing) override {
    return CreateHardLinkA(link.c_str(), existing.c_str(), nullptr);
  }
  DWORD Attributes(const std::string& path) override { return GetFileAttributesA(path.c_str()); }
  bool MakeFolder(const std::string& path) override {
    return CreateDirectoryA(path.c_str(), nullptr);
  }
  bool RemoveFolder(const std::string& path) override { return RemoveDirectoryA(path.c_str()); }
  UniqueFind FindFirst(const std::string& pattern, WIN32_FIND_DATAA& entry) override {
    return AdoptFind(FindFirstFileA(pattern.c_str(), &entry));
  }
  bool FindNext(HANDLE find, WIN32_FIND_DATAA& entry) override {
    return FindNextFileA(find, &entry);
  }
  bool EnterFolder(const std::string& path) override { return SetCurrentDirectoryA(path.c_str()); }
};

FileSystem* inUse = nullptr;

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem system;
  return system;
}

FileSystem& Files() { return inUse ? *inUse : SystemFileSystem(); }

FileSystemInUse::FileSystemInUse(FileSystem& files) : previous_(inUse) { inUse = &files; }
FileSystemInUse::~FileSystemInUse() { inUse = previous_; }

}  // namespace platform
