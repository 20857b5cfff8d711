// The reader of launcher.ini on any bytes: it never faults; text decoded from UTF-16 is valid
// UTF-8 (each kind of character decoded: settings_text_test.cpp); valid UTF-8 without a mark is
// taken as it is; the value read is one line's piece, without a line end.
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
  if (const auto value = SettingValue(text.text, "Game", "Folder")) {
    Check(value->size() <= text.text.size());
    Check(value->find_first_of("\r\n") == std::string::npos);
    Check(text.text.find(*value) != std::string::npos);
  }
  return 0;
}
