// The one door to the file system: every file, folder and listing call of the
// program goes through the FileSystem in use, so that a test can put one in
// its place that fails any call, or stops at any call as a killed program
// would, and then check what is left on the disk.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace platform {

// Opened so, a file stays open to every other program: read, written, renamed or deleted.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The Win32 calls, one for one. Each sets the thread's last error on failure,
// as the call it stands for does.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // CreateFileA with no template and normal attributes; nullptr on failure.
  virtual UniqueHandle Open(const std::string& path, DWORD access, DWORD share,
                            DWORD disposition) = 0;
  virtual bool Read(HANDLE file, void* buffer, DWORD size, DWORD& read) = 0;
  virtual bool Write(HANDLE file, const void* bytes, DWORD size, DWORD& written) = 0;
  virtual bool Flush(HANDLE file) = 0;
  virtual bool Size(HANDLE file, LARGE_INTEGER& size) = 0;
  virtual bool GetChangeTime(HANDLE file, FILETIME& changed) = 0;
  virtual bool SetChangeTime(HANDLE file, const FILETIME& changed) = 0;
  // MoveFileExA.
  virtual bool Move(const std::string& from, const std::string& to, DWORD flags) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // A second name `link` for the file `existing`.
  virtual bool Link(const std::string& link, const std::string& existing) = 0;
  // INVALID_FILE_ATTRIBUTES on failure.
  virtual DWORD Attributes(const std::string& path) = 0;
  virtual bool MakeFolder(const std::string& path) = 0;
  virtual bool RemoveFolder(const std::string& path) = 0;
  // FindFirstFileA; nullptr on failure.
  virtual UniqueFind FindFirst(const std::string& pattern, WIN32_FIND_DATAA& entry) = 0;
  virtual bool FindNext(HANDLE find, WIN32_FIND_DATAA& entry) = 0;
  virtual bool EnterFolder(const std::string& path) = 0;
};

// The system's own file system.
FileSystem& SystemFileSystem();

// The file system in use: the system's, unless a test put another in place.
FileSystem& Files();

// Puts `files` in place of the file system in use while it lives (tests only).
class FileSystemInUse {
 public:
  explicit FileSystemInUse(FileSystem& files);
  ~FileSystemInUse();
  FileSystemInUse(const FileSystemInUse&) = delete;
  FileSystemInUse& operator=(const FileSystemInUse&) = delete;

 private:
  FileSystem* previous_;
};

}  // namespace platform
