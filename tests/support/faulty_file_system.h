// A file system for tests that goes to the real one but counts every call and
// can make one call fail, or stop the work at one call as a killed program
// stops: that call and every later one do nothing and fail.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace testing_support {

class FaultyFileSystem : public platform::FileSystem {
 public:
  struct Call {
    std::string what;  // the operation: "open", "write", "flush", "move", "delete", ...
    std::string path;  // the path it names (a move: its destination)
    bool done;         // false for a call made to fail
  };

  // Counted from 1; 0 for none.
  int failAt = 0;
  int crashAt = 0;
  // The error the failing calls report.
  DWORD error = ERROR_WRITE_FAULT;
  // Runs after each call that went through, with the call.
  std::function<void(const Call&)> afterCall;

  std::vector<Call> calls;
  bool crashed() const { return crashAt > 0 && static_cast<int>(calls.size()) >= crashAt; }

  platform::UniqueHandle Open(const std::string& path, DWORD access, DWORD share,
                              DWORD disposition) override;
  bool Read(HANDLE file, void* buffer, DWORD size, DWORD& read) override;
  bool Write(HANDLE file, const void* bytes, DWORD size, DWORD& written) override;
  bool Flush(HANDLE file) override;
  bool Size(HANDLE file, LARGE_INTEGER& size) override;
  bool GetChangeTime(HANDLE file, FILETIME& changed) override;
  bool SetChangeTime(HANDLE file, const FILETIME& changed) override;
  bool Move(const std::string& from, const std::string& to, DWORD flags) override;
  bool Delete(const std::string& path) override;
  bool Link(const std::string& link, const std::string& existing) override;
  DWORD Attributes(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  platform::UniqueFind FindFirst(const std::string& pattern, WIN32_FIND_DATAA& entry) override;
  bool FindNext(HANDLE find, WIN32_FIND_DATAA& entry) override;
  bool EnterFolder(const std::string& path) override;

 private:
  // Records the call; makes it fail (returning `failed`, with the error set) or runs `real`, then
  // afterCall, keeping the call's own error.
  template <typename Result, typename Real>
  Result Through(const char* what, const std::string& path, Result failed, Real real);

  platform::FileSystem& real_ = platform::SystemFileSystem();
};

}  // namespace testing_support
