// The places the game is looked for in, natively: their order, folder names as Steam and players
// write them, and paths split by characters in a double-byte code page. The Windows test
// (game_search_test.cpp) looks in them on a real machine.
#include "game_finder/game_places.h"

#include <gtest/gtest.h>

#include "game_files/profiles.h"

namespace {

using platform::NoLeadBytes;

// Code page 932's lead bytes: 表 is 0x95 0x5C, ソ 0x83 0x5C, and 0x5C is also '\'.
bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
const std::string kHyou = "\x95\x5C";  // 表
const std::string kSo = "\x83\x5C";    // ソ

std::vector<std::string> Folders(const game_finder::GameRecords& records,
                                 platform::LeadByteRule leadByte = NoLeadBytes) {
  std::vector<std::string> folders;
  for (const auto& place : game_finder::GamePlaces(records, leadByte)) {
    folders.push_back(place.folder);
  }
  return folders;
}

TEST(GamePlaces, NamedThenBesideTheProgramThenSierraThenInstallPathThenSteamEachOnce) {
  const game_finder::GameRecords records{"D:\\Games\\HL\\",
                                         "E:\\LAN\\Half-Life\\cstrike",
                                         "c:/sierra/half-life/",
                                         "c:/steam",
                                         {"C:\\STEAM\\", "G:\\", "\\\\server\\share\\"}};
  EXPECT_EQ(
      Folders(records),
      (std::vector<std::string>{
          "D:\\Games\\HL", "E:\\LAN\\Half-Life\\cstrike", "E:\\LAN\\Half-Life",
          "C:\\SIERRA\\Half-Life", "c:\\steam\\steamapps\\common\\Half-Life",
          "G:\\steamapps\\common\\Half-Life", "\\\\server\\share\\steamapps\\common\\Half-Life"}));
  EXPECT_EQ(Folders({}), std::vector<std::string>{"C:\\SIERRA\\Half-Life"});
  // A program at a drive's root has no folder above it.
  game_finder::GameRecords atRoot;
  atRoot.programFolder = "F:\\";
  EXPECT_EQ(Folders(atRoot), (std::vector<std::string>{"F:\\", "C:\\SIERRA\\Half-Life"}));
}

// Folders ending in 表 and ソ keep their last byte, are not taken for one another or for a
// folder without it, and a name below them gets its own separator.
TEST(GamePlaces, InCodePage932ASecondByteOf0x5CIsNoSeparator) {
  const std::string hyou = "D:\\" + kHyou, so = "D:\\" + kSo;
  const game_finder::GameRecords records{hyou, so + "\\cstrike", "", "", {hyou + "\\", so}};
  EXPECT_EQ(Folders(records, ShiftJisLeadByte),
            (std::vector<std::string>{hyou, so + "\\cstrike", so, "C:\\SIERRA\\Half-Life",
                                      hyou + "\\steamapps\\common\\Half-Life",
                                      so + "\\steamapps\\common\\Half-Life"}));
  // Read byte by byte, as before, both lose their last byte and become one folder "D:\\\x83".
  EXPECT_EQ(Folders({so, "", "", "", {so}}).front(), "D:\\\x83");

  // A second byte in a..z is not a letter: 0x83 0x61 (ャ) and 0x83 0x41 (ア) differ.
  EXPECT_EQ(Folders({"D:\\\x83\x61", "", "D:\\\x83\x41", "", {}}, ShiftJisLeadByte).size(), 3u);
  EXPECT_TRUE(platform::SameFolder("d:/Games/", "D:\\GAMES", ShiftJisLeadByte));
  EXPECT_TRUE(platform::SameFolder("C:\\Azul", "c:\\aZUL", NoLeadBytes));  // a to z, both ends
}

TEST(GamePlaces, PathsAreSplitJoinedAndResolvedByCharacters) {
  const std::string hyou = "C:\\" + kHyou;
  EXPECT_EQ(platform::FolderOf(hyou + "\\launcher.ini", ShiftJisLeadByte), hyou);
  EXPECT_EQ(platform::FolderOf("C:\\" + kSo, ShiftJisLeadByte), "C:\\");
  EXPECT_EQ(platform::FolderOf("launcher.ini", ShiftJisLeadByte), ".");
  EXPECT_EQ(platform::PathBelow(hyou, "hl.exe", ShiftJisLeadByte), hyou + "\\hl.exe");
  EXPECT_EQ(platform::PathBelow("C:\\", "hl.exe", ShiftJisLeadByte), "C:\\hl.exe");
  EXPECT_EQ(platform::WindowsFolder(hyou + "\\\\", ShiftJisLeadByte), hyou);
  EXPECT_EQ(platform::WindowsFolder("C:/", ShiftJisLeadByte), "C:\\");
  // A relative name counts from the settings file's folder.
  for (const char* absolute : {"D:\\Games", "d:/games", "\\\\server\\share", "\\Games", "D:"})
    EXPECT_EQ(platform::ResolvedFrom("C:\\Tools\\", absolute, NoLeadBytes), absolute);
  EXPECT_EQ(platform::ResolvedFrom("C:\\Tools\\", "..\\Half-Life", NoLeadBytes),
            "C:\\Tools\\..\\Half-Life");
  EXPECT_EQ(platform::ResolvedFrom(hyou, kSo, ShiftJisLeadByte), hyou + "\\" + kSo);
}

// A waypoint file's name, as the listing gives it, may end in ソ: its prepared copies keep the
// whole name.
TEST(GamePlaces, AWaypointsPreparedCopiesKeepItsWholeName) {
  EXPECT_EQ(
      game_files::PreparedCopiesOf("maps\\de_" + kSo + ".wpt", ShiftJisLeadByte),
      (std::vector<std::string>{"maps\\nnb\\de_" + kSo + ".wpt", "maps\\ram\\de_" + kSo + ".wpt"}));
}

}  // namespace
