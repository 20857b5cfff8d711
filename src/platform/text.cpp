#include "platform/text.h"

#include <windows.h>

#include "platform/name_pattern.h"

namespace platform {

std::string UpperAnsi(std::string_view text) {
  std::string upper(text);
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

int CompareNoCase(const std::string& a, const std::string& b) {
  int order = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                             static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
  return order - CSTR_EQUAL;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  return MatchesNamePattern(name, pattern, UpperAnsi);
}

}  // namespace platform
