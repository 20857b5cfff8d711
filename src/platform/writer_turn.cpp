#include "platform/writer_turn.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include <sddl.h>

#include "platform/canonical_path.h"
#include "platform/text.h"

namespace platform {
namespace {

// What every launcher may do with a turn another made: wait for it and hand
// it on (SYNCHRONIZE | MUTEX_MODIFY_STATE); the system and the administrators
// may do anything. The creator's own handle has every right.
constexpr char kTurnAccess[] = "D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;AU)";

// The turn's mutex under `name` in the global namespace, so that launchers of
// every logon session on the machine (fast user switching, remote desktop)
// take turns; Windows may refuse it there (a mutex of that name no one may
// open), and then the session's own is used.
UniqueHandle OpenTurnMutex(const std::string& name) {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
  // Without the descriptor (it could not be made) the default access applies.
  ConvertStringSecurityDescriptorToSecurityDescriptorA(kTurnAccess, SDDL_REVISION_1,
                                                       &attributes.lpSecurityDescriptor, nullptr);
  const std::string global = "Global\\" + name;
  UniqueHandle mutex(CreateMutexA(&attributes, FALSE, global.c_str()));
  const DWORD error = GetLastError();
  if (attributes.lpSecurityDescriptor) LocalFree(attributes.lpSecurityDescriptor);
  // A turn another launcher made: opened with no more than its access grants.
  if (!mutex && error == ERROR_ACCESS_DENIED) {
    mutex.reset(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, global.c_str()));
  }
  if (!mutex) mutex.reset(CreateMutexA(nullptr, FALSE, ("Local\\" + name).c_str()));
  return mutex;
}

// Waits up to `wait` for `mutex` while the thread's windows keep painting:
// only paint messages and messages sent from other threads are handled, so no
// click runs in the middle of the handler that waits. The cursor shows the
// wait meanwhile. It wakes only for such a message, so that it keeps its
// place among the launchers waiting for the turn.
DWORD WaitPainting(HANDLE mutex, DWORD wait) {
  const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const DWORD start = GetTickCount();
  DWORD woken = WAIT_TIMEOUT;
  for (;;) {
    const DWORD waited = GetTickCount() - start;
    woken = MsgWaitForMultipleObjects(1, &mutex, FALSE, waited >= wait ? 0 : wait - waited,
                                      QS_PAINT | QS_SENDMESSAGE);
    if (woken != WAIT_OBJECT_0 + 1) break;
    // Peeking delivers the sent messages; each paint message is handled.
    MSG message;
    for (int i = 0; i < 100 && PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         ++i) {
      DispatchMessageA(&message);
    }
  }
  SetCursor(previous);
  return woken == WAIT_ABANDONED_0 ? WAIT_ABANDONED : woken;
}

}  // namespace

std::string WriterTurnName(const std::string& folder) {
  // FNV-1a over the UTF-16 code units: a name of fixed length that holds no '\\'.
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t unit : CanonicalPath(folder)) {
    hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
  }
  char name[64];
  std::snprintf(name, sizeof name, "OrlwinBotLauncher.writer.%016llx",
                static_cast<unsigned long long>(hash));
  return name;
}

WriterTurn::~WriterTurn() { Release(); }

void WriterTurn::Release() {
  if (mutex_) ReleaseMutex(mutex_.get());
  mutex_.reset();
}

Status WriterTurn::Take(const std::string& folder, WriterTurn& turn, DWORD wait) {
  const std::string name = WriterTurnName(folder);
  UniqueHandle mutex = OpenTurnMutex(name);
  if (!mutex) return Status::LastError("Could not wait for other launchers in " + Quoted(folder));
  // An abandoned turn (its holder was killed) is a turn like any other: what
  // the killed writer left is put right by the one who takes it.
  DWORD waited = WaitForSingleObject(mutex.get(), 0);
  if (waited == WAIT_TIMEOUT) waited = WaitPainting(mutex.get(), wait);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    return Status::Failed("Another Orlwin Bot Launcher was still changing the files in " +
                              Quoted(folder) + " after " + std::to_string(wait / 1000) +
                              " seconds of waiting for it",
                          waited == WAIT_TIMEOUT ? ERROR_TIMEOUT : GetLastError());
  }
  turn.Release();
  turn.mutex_ = std::move(mutex);
  return Status::Ok();
}

}  // namespace platform
