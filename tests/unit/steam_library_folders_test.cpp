// Steam's list of game libraries: both layouts Steam has written, the text rules of Valve's
// format, and text no Steam wrote. fuzz/steam_library_folders_fuzz.cpp checks the rules that
// hold for any bytes.
#include "game_finder/steam_library_folders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Folders = std::vector<std::string>;
using namespace std::string_literals;
using game_finder::SteamLibraryFolders;

TEST(SteamLibraryFoldersTest, ReadsBothLayouts) {
  EXPECT_EQ(SteamLibraryFolders(R"("libraryfolders"
{
	"0"
	{
		"path"		"C:\\Program Files (x86)\\Steam"
		"apps" { "70"		"502939281" }
	}
	"backup" { "path" "X:\\not a library" }
	"path" "X:\\neither"
	"1" {
		"apps" { "2" { "path" "X:\\too deep" } }
		"PATH"		"D:\\SteamLibrary"
		"path"		"X:\\second path"
	}
})"),
            (Folders{"C:\\Program Files (x86)\\Steam", "D:\\SteamLibrary"}));
  EXPECT_EQ(SteamLibraryFolders(R"("LibraryFolders"
{
	"ContentStatsID"		"-3196581442164389375"
	"1"		"D:\\SteamLibrary"
	"2"		"E:\\Games\\Steam"
	"-3"		"X:\\not digits"
	""		"X:\\no digits"
}
"more" { "3" "X:\\after the root" })"),
            (Folders{"D:\\SteamLibrary", "E:\\Games\\Steam"}));
}

TEST(SteamLibraryFoldersTest, ReadsValvesTextRules) {
  EXPECT_EQ(
      SteamLibraryFolders(
          "\xEF\xBB\xBF// made by \"hand\r\nroot {\r\n"
          "1 D:\\Steam\\Library // unquoted: no escapes\r\n"
          "2 \"a\\\\b\\\"c\\nd\\te\\q\\\" // in a string\" 3 {path\"E:\\\\x\"} 4{path F:\\y}}"),
      (Folders{"D:\\Steam\\Library", "a\\b\"c\nd\te\\q\" // in a string", "E:\\x", "F:\\y"}));
  EXPECT_EQ(SteamLibraryFolders(R"(r { 1 "Z:\\Steam" 2 "" 3 "z:\\STEAM" 4 { path "D:\\b" } 5 "D:\\B"
                                  6 "D:\\b\\" })"),
            (Folders{"Z:\\Steam", "D:\\b", "D:\\b\\"}));
  std::string many = "r {";
  for (int i = 0; i < 300; ++i) many += " 1 \"" + std::to_string(i) + '"';
  const Folders read = SteamLibraryFolders(many);
  ASSERT_EQ(read.size(), game_finder::kSteamLibraryFolderLimit);
  EXPECT_EQ(read.back(), std::to_string(game_finder::kSteamLibraryFolderLimit - 1));
}

TEST(SteamLibraryFoldersTest, HostileTextGivesWhatCanBeRead) {
  EXPECT_EQ(SteamLibraryFolders(R"(r { 1 "C:\\a" 2 "D:\\cut sh)"), (Folders{"C:\\a"}));
  EXPECT_EQ(SteamLibraryFolders(R"(r { 1 "C:\\a" 2 "D:\\b\)"), (Folders{"C:\\a"}));
  EXPECT_EQ(SteamLibraryFolders(R"(} } r { 1 "C:\\a" } } 2 "D:\\b")"), (Folders{"C:\\a"}));
  EXPECT_EQ(SteamLibraryFolders(R"(r { 1 { path "C:\\a")"), (Folders{"C:\\a"}));
  EXPECT_EQ(SteamLibraryFolders("r { 1 \"C:\\a\0b\" 2 \"D\" 3 {path \0\0} }"s), (Folders{"D"}));

  const std::string deep(100'000, '{');
  EXPECT_EQ(SteamLibraryFolders("r { 1 " + deep + " } 2 \"C:\\a\""), Folders{});
  EXPECT_EQ(SteamLibraryFolders("r { 1 " + deep + std::string(100'000, '}') + " 2 \"C:\\a\" }"),
            (Folders{"C:\\a"}));

  std::string huge = "r {";
  while (huge.size() < 8 * game_finder::kSteamLibraryFileLimit)
    huge += " apps { 70 \"1\" 1 \"C:\\a\" }";
  EXPECT_EQ(SteamLibraryFolders(huge + " 1 \"C:\\b\" 2 \"c:\\B\" }"), (Folders{"C:\\b"}));
  EXPECT_EQ(SteamLibraryFolders(std::string(8 * game_finder::kSteamLibraryFileLimit, '"')),
            Folders{});
}

}  // namespace
