// The reader of launcher.ini on any bytes: it never faults; text decoded from UTF-16 is valid
// UTF-8 and comes back the same through UTF-16 in either byte order; valid UTF-8 without a mark
// is taken as it is; the value read is one line's piece, without a line end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game_finder/settings_text.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

// UTF-8 (valid) as UTF-16 with its mark.
std::string Utf16(std::string_view utf8, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  auto unit = [&](std::uint32_t u) {
    const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  };
  for (std::size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) code = code << 6 | (utf8[at + i] & 0x3F);
    at += length;
    if (code >= 0x10000) {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      unit(code);
    }
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace game_finder;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const SettingsText text = DecodedSettingsText(bytes);
  const TextEncoding encoding = EncodingOf(bytes);
  if (encoding == TextEncoding::kUtf16Le || encoding == TextEncoding::kUtf16Be) {
    Check(IsUtf8(text.text));
  }
  if (encoding == TextEncoding::kUtf8) Check(text.text == bytes);
  if (text.utf8 && IsUtf8(text.text)) {
    for (bool bigEndian : {false, true})
      Check(DecodedSettingsText(Utf16(text.text, bigEndian)).text == text.text);
  }
  if (const auto value = SettingValue(text.text, "Game", "Folder")) {
    Check(value->size() <= text.text.size());
    Check(value->find_first_of("\r\n") == std::string::npos);
    Check(text.text.find(*value) != std::string::npos);
  }
  return 0;
}
