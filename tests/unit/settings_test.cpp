// ReadSetting against the Wine prefix's registry and real INI files.
#include <gtest/gtest.h>
#include <windows.h>

#include "settings/module1.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace settings {
namespace {

using S = std::string;
using tools::RegistryView;

TEST(ReadSetting, TakesRegistryValuesAndProfileEntriesAsTheLetterSays) {
  const std::string key = "Software\\LauncherTest\\SettingsRead";
  const BYTE two[] = {0x05, 0x00}, eight[8] = {1};
  const DWORD abc = 0x00636261, negative = static_cast<DWORD>(-7);
  const auto put = [&](const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_TRUE(tools::SetRegistryValue(HKEY_CURRENT_USER, key, name, type,
                                        {static_cast<const char*>(data), size},
                                        RegistryView::k32Bit));
  };
  put("text", REG_SZ, "C:\\Games\\HL", 12);
  put("empty", REG_SZ, "", 1);
  put("nodata", REG_SZ, "", 0);
  put("abc", REG_DWORD, &abc, 4);
  put("negative", REG_DWORD, &negative, 4);
  put("two", REG_BINARY, two, 2);
  put("eight", REG_BINARY, eight, 8);
  // Odd values another tool may leave as the install path.
  const S huge = "C:\\" + S(65536 - 4, 'x'), several = S("C:\\HL\0other\0", 12);
  put("unexpanded", REG_EXPAND_SZ, "%SystemRoot%", 13);
  put("huge", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
  put("unterminated", REG_BINARY, "C:\\HL!", 6);  // its last byte is taken for the terminator
  put("several", REG_MULTI_SZ, several.c_str(), 13);
  testing_support::TempFolder folder;
  const std::string ini = folder / "game.ini", hidden = folder / "a_hidden.ini";
  WritePrivateProfileStringA("Game", "Name", "Hidden", hidden.c_str());
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  CreateDirectoryA((folder / "sub.dir").c_str(), nullptr);
  WritePrivateProfileStringA("Game", "Name", "Counter-Strike", ini.c_str());
  WritePrivateProfileStringA("Game", "Count", "42", ini.c_str());
  WritePrivateProfileStringA("Game", "Long", S(300, 'x').c_str(), ini.c_str());
  EXPECT_EQ(RootKeyFromName(folder / "*.ini"), kProfileFile);  // the hidden one is listed first

  struct Case {
    std::string root, key;
    const char *name, *letter;
    Setting initial, fallback;
    std::int32_t status;
    Setting expected;
  };
  const Case cases[] = {
      {"HkCu", key, "text", "S", S(), S("No Name"), 0, S("C:\\Games\\HL")},
      {"hkcu", key, "empty", "s", S(), S("No Name"), 0, S("")},
      {"HKCU", key, "nodata", "S", S(), S("No Name"), 0, S("No Name")},
      {"HKCU", key, "abc", "S", S(), S("x"), 0, S("abc")},  // the registry type is ignored
      {"HKCU", key, "abc", "D", 0, 0, 0, 0x00636261},
      {"HKCU", key, "negative", "D", 0, 1, 0, -7},
      {"HKCU", key, "nodata", "D", 9, 9, 0, 0},
      {"HKCU", key, "two", "B", BoolBits{0}, BoolBits{0}, 0, BoolBits{5}},
      {"HKCU", key, "eight", "B", BoolBits{0}, BoolBits{3}, ERROR_MORE_DATA, BoolBits{3}},
      {"HKCU", key, "eight", "D", 0, 9, ERROR_MORE_DATA, 9},
      {"HKCU", key, "missing", "S", S(), S("No Name"), ERROR_FILE_NOT_FOUND, S("No Name")},
      {"HKCU", key + "\\nope", "text", "S", S(), S("No Name"), ERROR_FILE_NOT_FOUND, S("No Name")},
      {"HKXX", key, "text", "S", S(), S("No Name"), kNotRead, S("No Name")},
      {"HKCU", key, "unexpanded", "S", S(), S("No Name"), 0, S("%SystemRoot%")},
      {"HKCU", key, "huge", "S", S(), S("No Name"), 0, huge},
      {"HKCU", key, "unterminated", "S", S(), S("No Name"), 0, S("C:\\HL")},
      {"HKCU", key, "several", "S", S(), S("No Name"), 0, several},
      // Profile files: only ordinary ones count, and reading them always reports 0.
      {hidden, "Game", "Name", "S", S(), S("No Name"), kNotRead, S("No Name")},
      {folder / "sub.dir", "Game", "Name", "S", S(), S("No Name"), kNotRead, S("No Name")},
      {ini, "Game", "Name", "S", S(), S("No Name"), 0, S("Counter-Strike")},
      {ini, "Game", "Missing", "s", S(), S("No Name"), 0, S("No Name")},
      {ini, "Nope", "Name", "S", S(), 5, 0, S("5")},
      {ini, "Game", "Long", "S", S(), S(), 0, S(254, 'x')},
      // "D" reads an integer when the fallback is one; other reads deliver nothing.
      {ini, "Game", "Count", "D", 0, 0, 0, 42},
      {ini, "Game", "Count", "D", S(), S("0"), 0, S("0")},
      {ini, "Game", "Count", "B", BoolBits{0}, BoolBits{3}, 0, BoolBits{3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.root + " " + c.key + " " + c.name + " " + c.letter);
    Setting result = c.initial;
    EXPECT_EQ(ReadSetting(c.root, c.key, c.name, c.letter, c.fallback, result), c.status);
    EXPECT_EQ(result, c.expected);
  }
  tools::DeleteRegistryKey(HKEY_CURRENT_USER, key, RegistryView::k32Bit);
}

// HKLM\Software has a 32-bit and a 64-bit view on 64-bit Windows. The 32-bit one, where 32-bit
// installers write, is read first; a key or value missing there is taken from the 64-bit one.
TEST(ReadSetting, ReadsThe32BitViewFirstAndFallsBackToThe64BitView) {
  const std::string key = "Software\\LauncherTest\\Views";
  const auto put = [&](const char* name, const std::string& text, RegistryView view) {
    ASSERT_TRUE(tools::SetRegistryValue(HKEY_LOCAL_MACHINE, key, name, REG_SZ,
                                        {text.c_str(), text.size() + 1}, view));
  };
  const auto read = [&](const char* name, const std::string& readKey = "") {
    std::string result;
    const std::int32_t status =
        ReadSetting("HKLM", readKey.empty() ? key : readKey, name, "S", S("No Name"), result);
    return std::to_string(status) + " " + result;
  };
  for (RegistryView view : {RegistryView::k32Bit, RegistryView::k64Bit}) {
    tools::DeleteRegistryKey(HKEY_LOCAL_MACHINE, key, view);
  }
  put("only64", "C:\\64", RegistryView::k64Bit);
  EXPECT_EQ(read("only64"), "0 C:\\64") << "the key exists in the 64-bit view only";
  put("only32", "C:\\32", RegistryView::k32Bit);
  put("both", "C:\\32", RegistryView::k32Bit);
  put("both", "C:\\64", RegistryView::k64Bit);
  EXPECT_EQ(read("only32"), "0 C:\\32");
  EXPECT_EQ(read("both"), "0 C:\\32");
  EXPECT_EQ(read("only64"), "0 C:\\64") << "the value exists in the 64-bit view only";
  EXPECT_EQ(read("neither"), "2 No Name");
  EXPECT_EQ(read("only64", key + "\\nope"), "2 No Name");
  for (RegistryView view : {RegistryView::k32Bit, RegistryView::k64Bit}) {
    tools::DeleteRegistryKey(HKEY_LOCAL_MACHINE, key, view);
  }
}

}  // namespace
}  // namespace settings
