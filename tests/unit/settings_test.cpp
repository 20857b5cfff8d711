// ReadSetting and RootKeyFromName against the Wine prefix's registry and real INI files.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/module1.h"

namespace settings {
namespace {

using S = std::string;

struct Case {
  const char *root, *section, *name, *letter;
  Setting initial, fallback;
  std::int32_t status;
  Setting expected;
};

void ExpectReads(const std::string& prefix, const std::string& key,
                 const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(S(c.root) + " " + c.section + " " + c.name + " " + c.letter);
    Setting result = c.initial;
    EXPECT_EQ(ReadSetting(prefix + c.root, key + c.section, c.name, c.letter, c.fallback, result),
              c.status);
    EXPECT_EQ(result, c.expected);
  }
}

TEST(ReadSetting, RegistryBytesAreTakenAsTheLetterSays) {
  const std::string key = "Software\\LauncherTest\\SettingsRead";
  const BYTE two[] = {0x05, 0x00}, eight[8] = {1};
  const DWORD abc = 0x00636261, negative = static_cast<DWORD>(-7);
  const auto put = [&](HKEY root, const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueA(root, key.c_str(), name, type, data, size), ERROR_SUCCESS);
  };
  put(HKEY_CURRENT_USER, "text", REG_SZ, "C:\\Games\\HL", 12);
  put(HKEY_CURRENT_USER, "empty", REG_SZ, "", 1);
  put(HKEY_CURRENT_USER, "nodata", REG_SZ, "", 0);
  put(HKEY_CURRENT_USER, "abc", REG_DWORD, &abc, 4);
  put(HKEY_CURRENT_USER, "negative", REG_DWORD, &negative, 4);
  put(HKEY_CURRENT_USER, "two", REG_BINARY, two, 2);
  put(HKEY_CURRENT_USER, "eight", REG_BINARY, eight, 8);
  put(HKEY_LOCAL_MACHINE, "InstallPath", REG_SZ, "D:\\HL", 6);
  ExpectReads(
      "", key,
      {
          {"HkCu", "", "text", "S", S(), S("No Name"), 0, S("C:\\Games\\HL")},
          {"hklm", "", "InstallPath", "s", S(), S("No Name"), 0, S("D:\\HL")},
          {"HKCU", "", "empty", "S", S(), S("No Name"), 0, S("")},
          {"HKCU", "", "nodata", "S", S(), S("No Name"), 0, S("No Name")},
          {"HKCU", "", "abc", "S", S(), S("x"), 0, S("abc")},  // the registry type is ignored
          {"HKCU", "", "abc", "D", 0, 0, 0, 0x00636261},
          {"HKCU", "", "negative", "D", 0, 1, 0, -7},
          {"HKCU", "", "negative", "D", S(), 1, 0, S("-7")},
          {"HKCU", "", "two", "B", BoolBits{0}, BoolBits{0}, 0, BoolBits{5}},
          {"HKCU", "", "two", "B", S(), BoolBits{0}, 0, S("True")},
          {"HKCU", "", "eight", "B", BoolBits{0}, BoolBits{3}, ERROR_MORE_DATA, BoolBits{3}},
          {"HKCU", "", "eight", "D", 0, 9, ERROR_MORE_DATA, 9},
          {"HKCU", "", "missing", "S", S(), S("No Name"), ERROR_FILE_NOT_FOUND, S("No Name")},
          {"HKCU", "\\nope", "text", "S", S(), S("No Name"), ERROR_FILE_NOT_FOUND, S("No Name")},
          {"HKCU", "", "text", "X", S(), 7, 0, S("7")},
          {"HKXX", "", "text", "S", S(), S("No Name"), kNotRead, S("No Name")},
      });
  std::string path;  // the string overload used by the program's callers
  EXPECT_EQ(ReadSetting("HKCU", key, "text", "S", S("No Name"), path), 0);
  EXPECT_EQ(path, "C:\\Games\\HL");
  RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
}

TEST(RootKeyFromName, MapsRootNamesInAnyCase) {
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"HKCU", 0x80000001}, {"hklm", 0x80000002}, {"Hku", 0x80000003}, {"hkdd", 0x80000006},
      {"HKCC", 0x80000005}, {"hkcr", 0x80000000}, {"HKXX", 0},         {"", 0}};
  for (const auto& [name, code] : cases) {
    EXPECT_EQ(static_cast<std::uint32_t>(RootKeyFromName(name)), code) << name;
  }
}

TEST(ReadSetting, ProfileFilesMustBeOrdinaryAndAlwaysReportZero) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = S(temp) + "LauncherSettingsTest\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "sub.dir").c_str(), nullptr);
  WritePrivateProfileStringA("Game", "Name", "Hidden", (dir + "a_hidden.ini").c_str());
  SetFileAttributesA((dir + "a_hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::string ini = dir + "game.ini";
  WritePrivateProfileStringA("Game", "Name", "Counter-Strike", ini.c_str());
  WritePrivateProfileStringA("Game", "Count", "42", ini.c_str());
  WritePrivateProfileStringA("Game", "Long", S(300, 'x').c_str(), ini.c_str());

  EXPECT_EQ(RootKeyFromName(dir + "*.ini"), kProfileFile);  // the hidden one is listed first
  EXPECT_EQ(RootKeyFromName(dir + "G?ME.*"), kProfileFile);
  EXPECT_EQ(RootKeyFromName(dir + "none.ini"), 0);
  ExpectReads(dir, "",
              {
                  {"a_hidden.ini", "Game", "Name", "S", S(), S("No Name"), kNotRead, S("No Name")},
                  {"sub.dir", "Game", "Name", "S", S(), S("No Name"), kNotRead, S("No Name")},
                  {"game.ini", "Game", "Name", "S", S(), S("No Name"), 0, S("Counter-Strike")},
                  {"game.ini", "Game", "Missing", "s", S(), S("No Name"), 0, S("No Name")},
                  {"game.ini", "Nope", "Name", "S", S(), 5, 0, S("5")},
                  {"game.ini", "Game", "Long", "S", S(), S(), 0, S(254, 'x')},
                  // "D" reads an integer when the fallback is one; other reads deliver nothing.
                  {"game.ini", "Game", "Count", "D", 0, 0, 0, 42},
                  {"game.ini", "Game", "Count", "d", S(), 0, 0, S("42")},
                  {"game.ini", "Game", "Missing", "D", 0, -3, 0, -3},
                  {"game.ini", "Game", "Count", "D", S(), S("0"), 0, S("0")},
                  {"game.ini", "Game", "Count", "B", BoolBits{0}, BoolBits{0}, 0, BoolBits{0}},
              });
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(dir.c_str());
  EXPECT_EQ(RootKeyFromName("game.ini"), kProfileFile);
  SetCurrentDirectoryA(previous);

  SetFileAttributesA((dir + "a_hidden.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA((dir + "a_hidden.ini").c_str());
  DeleteFileA(ini.c_str());
  RemoveDirectoryA((dir + "sub.dir").c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace settings
