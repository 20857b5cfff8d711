// GoogleTest's Notification, for compilers whose C++ library has no std::mutex or
// std::condition_variable (GCC 12's MinGW-w64 win32 threading model, which the program is built
// with there because that posix one needs Windows Vista). GoogleTest uses it only to start its
// own threads.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
