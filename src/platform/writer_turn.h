// One writer at a time in a folder, across every launcher running on this
// machine: a switch or a save takes the folder's turn before it touches a file
// there and keeps it until it is done.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"
#include "platform/status.h"

namespace platform {

// How long a writer waits for another launcher to finish before it gives up:
// a switch or a save takes milliseconds.
inline constexpr DWORD kWriterWaitMilliseconds = 5000;

// The turn to write in one folder: a named mutex, which Windows hands on when
// its holder ends, even when it was killed.
class WriterTurn {
 public:
  WriterTurn() = default;
  ~WriterTurn();
  WriterTurn(const WriterTurn&) = delete;
  WriterTurn& operator=(const WriterTurn&) = delete;

  // Waits up to `wait` for the turn of `folder` (any spelling of the same
  // folder takes the same turn), the thread's windows painting meanwhile
  // under a wait cursor. Fails, holding nothing, when another writer keeps
  // it longer.
  static Status Take(const std::string& folder, WriterTurn& turn,
                     DWORD wait = kWriterWaitMilliseconds);

  bool held() const { return mutex_ != nullptr; }
  // Hands the turn on now.
  void Release();

 private:
  UniqueHandle mutex_;
};

// The turn's name for `folder` (its mutex's, in the global namespace or the
// session's): the folder's full, long path, letter case ignored, hashed, so
// that every spelling of one folder names one turn.
std::string WriterTurnName(const std::string& folder);

}  // namespace platform
