#include "platform/writer_turn.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/text.h"

namespace platform {
namespace {

// The folder as Windows names it in full, in UTF-16, upper-cased.
std::wstring CanonicalFolder(const std::string& folder) {
  std::string full(MAX_PATH, '\0');
  DWORD length =
      GetFullPathNameA(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameA(folder.c_str(), length, full.data(), nullptr);
  }
  full.resize(length == 0 || length >= full.size() ? 0 : length);
  if (full.empty()) full = folder;
  // A short (8.3) spelling of the same folder becomes its long name.
  std::string longName(MAX_PATH, '\0');
  length = GetLongPathNameA(full.c_str(), longName.data(), static_cast<DWORD>(longName.size()));
  if (length > 0 && length < longName.size()) full.assign(longName.data(), length);
  while (full.size() > 3 && (full.back() == '\\' || full.back() == '/')) full.pop_back();
  std::wstring wide = WideFromAnsi(full);
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return wide;
}

}  // namespace

std::string WriterTurnName(const std::string& folder) {
  // FNV-1a over the UTF-16 code units: a name of fixed length that holds no '\\'.
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t unit : CanonicalFolder(folder)) {
    hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
  }
  char name[64];
  std::snprintf(name, sizeof name, "Local\\OrlwinBotLauncher.writer.%016llx",
                static_cast<unsigned long long>(hash));
  return name;
}

WriterTurn::~WriterTurn() { Release(); }

WriterTurn& WriterTurn::operator=(WriterTurn&& other) {
  if (this != &other) {
    Release();
    mutex_ = std::move(other.mutex_);
  }
  return *this;
}

void WriterTurn::Release() {
  if (mutex_) ReleaseMutex(mutex_.get());
  mutex_.reset();
}

Status WriterTurn::Take(const std::string& folder, WriterTurn& turn, DWORD wait) {
  const std::string name = WriterTurnName(folder);
  UniqueHandle mutex(CreateMutexA(nullptr, FALSE, name.c_str()));
  if (!mutex) return Status::LastError("Could not wait for other launchers in " + Quoted(folder));
  // An abandoned turn (its holder was killed) is a turn like any other: what
  // the killed writer left is put right by the one who takes it.
  const DWORD waited = WaitForSingleObject(mutex.get(), wait);
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
