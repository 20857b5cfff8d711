#include "game_finder/settings_text.h"

#include <algorithm>
#include <cstdint>

#include "platform/ascii_case.h"
#include "platform/byte_order_marks.h"

namespace game_finder {
using platform::kUtf16BeMark;
using platform::kUtf16LeMark;
using platform::kUtf8Mark;

namespace {

unsigned char Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// The length of the UTF-8 sequence at `at`, or 0 when it is not a valid one.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at) {
  const unsigned char lead = Byte(bytes, at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  if (Byte(bytes, at + 1) < low || Byte(bytes, at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((Byte(bytes, at + i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

void AppendUtf8(std::string& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian) {
  auto unit = [&](std::size_t at) -> std::uint32_t {
    const std::uint32_t first = Byte(bytes, at), second = Byte(bytes, at + 1);
    return bigEndian ? first << 8 | second : second << 8 | first;
  };
  constexpr std::uint32_t kReplacement = 0xFFFD;
  std::string text;
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    const std::uint32_t code = unit(at);
    if (code >= 0xD800 && code <= 0xDBFF && at + 3 < bytes.size()) {
      const std::uint32_t low = unit(at + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(text, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
        at += 2;
        continue;
      }
    }
    AppendUtf8(text, code >= 0xD800 && code <= 0xDFFF ? kReplacement : code);
  }
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = Utf8SequenceAt(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

TextEncoding EncodingOf(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return TextEncoding::kUtf8WithMark;
  if (bytes.starts_with(kUtf16LeMark)) return TextEncoding::kUtf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return TextEncoding::kUtf16Be;
  const bool ascii =
      std::ranges::all_of(bytes, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return !ascii && IsUtf8(bytes) ? TextEncoding::kUtf8 : TextEncoding::kAnsi;
}

SettingsText DecodedSettingsText(std::string_view bytes) {
  switch (EncodingOf(bytes)) {
    case TextEncoding::kAnsi:
      return {std::string(bytes), false};
    case TextEncoding::kUtf8:
      return {std::string(bytes), true};
    case TextEncoding::kUtf8WithMark:
      return {std::string(bytes.substr(kUtf8Mark.size())), true};
    case TextEncoding::kUtf16Le:
      return {Utf8FromUtf16(bytes.substr(kUtf16LeMark.size()), false), true};
    case TextEncoding::kUtf16Be:
      return {Utf8FromUtf16(bytes.substr(kUtf16BeMark.size()), true), true};
  }
  return {};
}

// '[', ']', '=', CR and LF are below 0x40, so they are never the second byte of a
// double-byte character: the text is split by bytes in any code page.
std::optional<std::string> SettingValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  bool inSection = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.find('\r'));
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.starts_with('[')) {
      const std::size_t close = line.find(']');
      inSection = close != std::string_view::npos &&
                  platform::SameIgnoringAsciiCase(Trimmed(line.substr(1, close - 1)), section);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inSection && equals != std::string_view::npos &&
        platform::SameIgnoringAsciiCase(Trimmed(line.substr(0, equals)), key)) {
      return std::string(WithoutQuotes(Trimmed(line.substr(equals + 1))));
    }
  }
  return std::nullopt;
}

}  // namespace game_finder
