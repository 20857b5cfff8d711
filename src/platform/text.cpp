#include "platform/text.h"

#include <windows.h>

#include "platform/name_pattern.h"

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

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  return MatchesNamePattern(name, pattern, UpperAnsi);
}

}  // namespace platform
