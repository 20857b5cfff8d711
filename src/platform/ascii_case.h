// ASCII letter case, which reads the same in every code page: for names whose
// letters are compared ignoring case without the system's rules.
#pragma once

#include <algorithm>
#include <string_view>

namespace platform {

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `a` and `b` are the same ignoring the case of ASCII letters.
inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, {}, AsciiLower, AsciiLower);
}

}  // namespace platform
