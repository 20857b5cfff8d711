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

namespace {

// UTF-8 as UTF-16; nothing when it is not valid UTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int length = static_cast<int>(utf8.size());
  const int needed =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (needed <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), needed);
  return wide;
}

}  // namespace

std::optional<std::string> ExactAnsiFromUtf8(std::string_view utf8) {
  const std::optional<std::wstring> wide = WideFromUtf8(utf8);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  const int length = static_cast<int>(wide->size());
  BOOL usedDefault = FALSE;
  const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), length,
                                         nullptr, 0, nullptr, &usedDefault);
  if (needed <= 0 || usedDefault) return std::nullopt;
  std::string ansi(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), length, ansi.data(), needed,
                      nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return ansi;
}

std::string ShownAnsiFromUtf8(std::string_view utf8) {
  const std::optional<std::wstring> wide = WideFromUtf8(utf8);
  return wide ? AnsiFromWide(*wide) : std::string(utf8);
}

bool AnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

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
