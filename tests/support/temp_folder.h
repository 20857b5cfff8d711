// Files for tests: a fresh folder below the system's temporary folder, removed with everything in
// it at the end of the test; whole files read back, one or all below a folder; a file held open
// without sharing; a thread that holds something while the test goes on.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "platform/handles.h"

namespace testing_support {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

 private:
  std::string path_;
};

// The whole file, or "(unreadable)".
std::string FileBytes(const std::string& path);

// Every file below `folder` with its bytes, by its name relative to `folder`.
std::map<std::string, std::string> FilesBelow(const std::string& folder);

// Opens `path` without sharing, so nobody can replace, remove or open it, not even root; fails the
// test if it cannot.
platform::UniqueHandle HoldOpen(const std::string& path, DWORD access = GENERIC_READ,
                                DWORD share = 0);

// Runs a callable on a thread of its own (the program and its tests use no C++ thread library).
template <typename Loop>
platform::UniqueHandle StartThread(Loop& loop) {
  struct Trampoline {
    static DWORD WINAPI Run(void* loop) {
      (*static_cast<Loop*>(loop))();
      return 0;
    }
  };
  return platform::UniqueHandle(CreateThread(nullptr, 0, &Trampoline::Run, &loop, 0, nullptr));
}

}  // namespace testing_support
