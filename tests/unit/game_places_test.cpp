// The places the game is looked for in, natively: their order, and folder names as Steam and
// players write them. The Windows test (game_folder_test.cpp) looks in them on a real machine.
#include "app/game_places.h"

#include <gtest/gtest.h>

namespace {

TEST(GamePlaces, NamedThenSierraThenInstallPathThenSteamsOwnFolderThenEachLibraryEachOnce) {
  const app::GameRecords records{"D:\\Games\\HL\\",
                                 "c:/sierra/half-life/",
                                 "c:/steam",
                                 {"C:\\STEAM\\", "G:\\", "\\\\server\\share\\"}};
  std::vector<std::string> folders;
  for (const app::GamePlace& place : app::GamePlaces(records)) folders.push_back(place.folder);
  EXPECT_EQ(folders, (std::vector<std::string>{"D:\\Games\\HL", "C:\\SIERRA\\Half-Life",
                                               "c:\\steam\\steamapps\\common\\Half-Life",
                                               "G:\\steamapps\\common\\Half-Life",
                                               "\\\\server\\share\\steamapps\\common\\Half-Life"}));
  EXPECT_EQ(app::GamePlaces({}).size(), 1u);
}

TEST(GamePlaces, ARelativeNamedFolderCountsFromTheSettingsFilesFolder) {
  for (const char* absolute : {"D:\\Games", "d:/games", "\\\\server\\share", "\\Games", "D:"})
    EXPECT_EQ(app::ResolvedFrom("C:\\Tools\\", absolute), absolute);
  EXPECT_EQ(app::ResolvedFrom("C:\\Tools\\", "..\\Half-Life"), "C:\\Tools\\..\\Half-Life");
  EXPECT_EQ(app::ResolvedFrom("C:\\Tools", "HL"), "C:\\Tools\\HL");
}

}  // namespace
