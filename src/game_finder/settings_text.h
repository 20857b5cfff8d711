// The text of launcher.ini, in whichever encoding the player's editor saved it,
// and the one setting read from it. Window-free: UTF-8 and UTF-16 are decoded
// here; ANSI text is passed on as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace game_finder {

enum class TextEncoding { kAnsi, kUtf8, kUtf8WithMark, kUtf16Le, kUtf16Be };

// Told apart as Notepad does: a byte-order mark; else text that is valid UTF-8
// and not plain ASCII is UTF-8; else the ANSI code page.
TextEncoding EncodingOf(std::string_view bytes);

// Whether `bytes` is valid UTF-8 (no overlong forms, surrogates or code points
// past U+10FFFF).
bool IsUtf8(std::string_view bytes);

struct SettingsText {
  std::string text;  // UTF-8 when `utf8`, else the file's ANSI bytes
  bool utf8 = false;
};

// The file's text without its byte-order mark; UTF-16 becomes UTF-8 (a lone
// surrogate becomes U+FFFD, an odd last byte is dropped).
SettingsText DecodedSettingsText(std::string_view bytes);

// The value of `key` in `[section]`, as the profile functions read it: names
// compare ignoring ASCII case, blanks around names and values go, and one pair
// of matching quotes around a value is taken off. The first such key counts;
// nothing when there is none. Lines may end in CR LF, LF or CR.
std::optional<std::string> SettingValue(std::string_view text, std::string_view section,
                                        std::string_view key);

}  // namespace game_finder
