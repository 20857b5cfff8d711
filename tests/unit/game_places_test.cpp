// The order of the places the game is looked for in, and how Steam's and the
// player's folder names are taken.
#include "app/game_places.h"

#include <gtest/gtest.h>

namespace {

using app::GamePlace;

std::vector<std::string> Folders(const std::vector<GamePlace>& places) {
  std::vector<std::string> folders;
  for (const GamePlace& place : places) folders.push_back(place.folder);
  return folders;
}

TEST(GamePlaces, NamedThenSierraThenInstallPathThenSteamsOwnFolderThenEachLibrary) {
  app::GameRecords records{"D:\\Games\\HL\\",
                           "E:\\Half-Life",
                           "c:/program files (x86)/steam",
                           {"C:\\Program Files (x86)\\Steam", "F:\\SteamLibrary", "G:\\"}};
  EXPECT_EQ(
      Folders(app::GamePlaces(records)),
      (std::vector<std::string>{"D:\\Games\\HL", "C:\\SIERRA\\Half-Life", "E:\\Half-Life",
                                "c:\\program files (x86)\\steam\\steamapps\\common\\Half-Life",
                                "F:\\SteamLibrary\\steamapps\\common\\Half-Life",
                                "G:\\steamapps\\common\\Half-Life"}));

  // Nothing recorded: C:\SIERRA\Half-Life alone. A folder named twice is looked in once, first
  // where it comes first.
  EXPECT_EQ(Folders(app::GamePlaces({})), (std::vector<std::string>{"C:\\SIERRA\\Half-Life"}));
  EXPECT_EQ(Folders(app::GamePlaces({"c:/sierra/half-life/", "C:\\SIERRA\\HALF-LIFE", "", {}})),
            (std::vector<std::string>{"c:\\sierra\\half-life"}));
}

TEST(GamePlaces, FolderNamesAreTakenAsWindowsNamesThem) {
  EXPECT_EQ(app::WindowsFolder("c:/program files/steam//"), "c:\\program files\\steam");
  EXPECT_EQ(app::WindowsFolder("C:\\"), "C:\\");
  EXPECT_EQ(app::WindowsFolder("D:/"), "D:\\");
  EXPECT_EQ(app::WindowsFolder("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(app::PathBelow("C:\\", "hl.exe"), "C:\\hl.exe");
  EXPECT_EQ(app::PathBelow("C:\\Games", "hl.exe"), "C:\\Games\\hl.exe");
  for (const char* absolute : {"D:\\Games", "d:/games", "\\\\server\\share", "\\Games", "D:"})
    EXPECT_EQ(app::ResolvedFrom("C:\\Tools\\", absolute), absolute);
  EXPECT_EQ(app::ResolvedFrom("C:\\Tools\\", "..\\Half-Life"), "C:\\Tools\\..\\Half-Life");
  EXPECT_EQ(app::ResolvedFrom("C:\\Tools", "HL"), "C:\\Tools\\HL");
}

}  // namespace
