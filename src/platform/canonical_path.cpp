#include "platform/canonical_path.h"

#include <windows.h>

#include "platform/text.h"

namespace platform {

std::wstring CanonicalPath(const std::string& path) {
  std::string full(MAX_PATH, '\0');
  DWORD length =
      GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameA(path.c_str(), length, full.data(), nullptr);
  }
  full.resize(length == 0 || length >= full.size() ? 0 : length);
  if (full.empty()) full = path;
  // A short (8.3) spelling of the same path becomes its long name.
  std::string longName(MAX_PATH, '\0');
  length = GetLongPathNameA(full.c_str(), longName.data(), static_cast<DWORD>(longName.size()));
  if (length > 0 && length < longName.size()) full.assign(longName.data(), length);
  while (full.size() > 3 && (full.back() == '\\' || full.back() == '/')) full.pop_back();
  std::wstring wide = WideFromAnsi(full);
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return wide;
}

}  // namespace platform
