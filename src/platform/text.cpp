#include "platform/text.h"

#include <windows.h>

namespace platform {

std::wstring WideFromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(),
                                                      static_cast<int>(wide.size()))));
  return wide;
}

std::string AnsiFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::string ansi(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr,
                                                           0, nullptr, nullptr)),
                   '\0');
  ansi.resize(
      static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(),
                                              static_cast<int>(ansi.size()), nullptr, nullptr)));
  return ansi;
}

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

namespace {

bool GlobMatch(std::string_view name, std::string_view pattern) {
  // Iterative matcher with one back-tracking point: linear in practice.
  size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n, ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++, starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1, n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (!pattern.empty() && pattern.back() == '.' && pattern != "." && pattern != "..") {
    if (name == "." || name == "..") return true;
    if (name.find('.') != std::string_view::npos) return false;
    pattern.remove_suffix(1);
  }
  return GlobMatch(UpperAnsi(name), UpperAnsi(pattern));
}

}  // namespace platform
