// launcher.ini as editors save it: ANSI, UTF-8 with and without a byte-order mark, UTF-16 in
// either byte order; and the one setting read from it.
#include "game_finder/settings_text.h"

#include <gtest/gtest.h>

namespace {

using game_finder::DecodedSettingsText;
using game_finder::EncodingOf;
using game_finder::SettingValue;
using game_finder::TextEncoding;

const std::string kIni = "[Game]\r\nFolder=D:\\Игры\\表\r\n";  // UTF-8 in this source

// `utf8` as UTF-16 with its mark (ASCII and Cyrillic/CJK of the basic plane, and one pair).
std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(SettingsText, EachEncodingIsToldApartAndDecodedToTheSameText) {
  const std::u16string wide = u"[Game]\r\nFolder=D:\\Игры\\表\r\n";
  for (const auto& [bytes, encoding] : {std::pair{kIni, TextEncoding::kUtf8},
                                        {"\xEF\xBB\xBF" + kIni, TextEncoding::kUtf8WithMark},
                                        {Utf16(wide, false), TextEncoding::kUtf16Le},
                                        {Utf16(wide, true), TextEncoding::kUtf16Be}}) {
    EXPECT_EQ(EncodingOf(bytes), encoding);
    const game_finder::SettingsText text = DecodedSettingsText(bytes);
    EXPECT_TRUE(text.utf8);
    EXPECT_EQ(text.text, kIni);
  }
  // Plain ASCII, and bytes that are not UTF-8 (1251's "Игры", 932's 表), stay as they are.
  for (const std::string& ansi : {std::string("[Game]\nFolder=D:\\Games\n"),
                                  std::string("Folder=D:\\\xC8\xE3\xF0\xFB\\\x95\x5C")}) {
    EXPECT_EQ(EncodingOf(ansi), TextEncoding::kAnsi);
    EXPECT_FALSE(DecodedSettingsText(ansi).utf8);
    EXPECT_EQ(DecodedSettingsText(ansi).text, ansi);
  }
  // A character beyond the basic plane, and a lone surrogate.
  EXPECT_EQ(DecodedSettingsText(Utf16(u"\U0001F3AE\xD800", false)).text, "\U0001F3AE\uFFFD");
}

TEST(SettingsText, OnlyValidUtf8CountsAsUtf8) {
  for (const char* invalid : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                              "\xE8\xA1", "\xE8\xA1\x41", "\x80", "\xFF"}) {
    EXPECT_FALSE(game_finder::IsUtf8(invalid)) << invalid;
  }
  for (const char* valid : {"", "a", "\xC2\x80", "\xEF\xBF\xBD", "\xF0\x9F\x8E\xAE", "表"})
    EXPECT_TRUE(game_finder::IsUtf8(valid)) << valid;
}

TEST(SettingsText, TheValueIsReadAsTheProfileFunctionsReadIt) {
  EXPECT_EQ(SettingValue(kIni, "Game", "Folder"), "D:\\Игры\\表");
  EXPECT_EQ(SettingValue("[other]\nFolder=x\n [ game ] \r  folder = \"C:\\HL\" \nFolder=y", "Game",
                         "Folder"),
            "C:\\HL");
  EXPECT_EQ(SettingValue("[Game]\nFolder='D:\\'\n", "Game", "Folder"), "D:\\");
  EXPECT_EQ(SettingValue("[Game]\nFolder=\n", "Game", "Folder"), "");
  EXPECT_EQ(SettingValue("[Game]\nFolders=x\n[Other]\nFolder=y\n", "Game", "Folder"), std::nullopt);
  // Names of the same length that differ in more than letter case.
  EXPECT_EQ(SettingValue("[Home]\nFolder=x\n[Game]\nHolder=y\n", "Game", "Folder"), std::nullopt);
  // 932 text whose second bytes are '\' and ']': still split at the right bytes.
  EXPECT_EQ(SettingValue("[Game]\nFolder=C:\\\x95\x5C\\\x83\x5D\n", "Game", "Folder"),
            "C:\\\x95\x5C\\\x83\x5D");
}

}  // namespace
