// Finding Half-Life on a machine as players have it: Steam's records, the
// registry's install folder, C:\SIERRA, a folder named in the settings file,
// the program's own folder; and what the main window does when it is nowhere.
#include "game_finder/game_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "app/launcher.h"
#include "fakes.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using testing_support::TempFolder;

const std::string kSierra = "C:\\SIERRA\\Half-Life";

// Steam in one temporary folder with a second library in another; the tests
// put Half-Life where they need it. No other record of the game is left.
class GameFolderTest : public testing_support::ProgramTest {
 protected:
  void SetUp() override { ForgetEveryInstall(); }
  void TearDown() override { ForgetEveryInstall(); }
  static void ForgetEveryInstall() {
    tools::RemoveDemoSteamInstall();
    tools::UnregisterInstallPath();
    tools::RemoveTree(kSierra);
  }
  // Half-Life below `folder`, with hl.exe only when asked.
  static void PutHalfLife(const std::string& folder, bool withGame = true) {
    ASSERT_TRUE(tools::WriteTextFile(folder + "\\cstrike\\liblist.gam", "game \"CS\"\r\n"));
    if (withGame) {
      ASSERT_TRUE(tools::WriteTextFile(folder + "\\hl.exe", "MZ"));
    }
  }
  std::string InLibrary(const std::string& library) const {
    return library + "\\steamapps\\common\\Half-Life";
  }
  void WriteLibraryList(const std::string& text) {
    ASSERT_TRUE(tools::WriteTextFile(steam_ / "steamapps\\libraryfolders.vdf", text));
  }
  game_finder::GameSearch Find(const std::string& programFolder = {}) {
    return game_finder::FindGame(settings_, programFolder);
  }

  TempFolder steam_, library_, elsewhere_;
  std::string settings_ = elsewhere_ / "launcher.ini";
};

// Steam recorded only for the machine, by its 32-bit installer (recorded for the user:
// code_page_game_e2e_test.cpp); the game in its second library.
TEST_F(GameFolderTest, SteamsRecordsLeadToHalfLifeInItsSecondLibrary) {
  PutHalfLife(InLibrary(steam_.path()), false);
  PutHalfLife(InLibrary(library_.path()));
  WriteLibraryList(tools::SteamLibraryList({steam_.path(), library_.path()}));
  game_finder::GameSearch search = Find();
  EXPECT_EQ(search.found, "");
  EXPECT_NE(game_finder::NotFoundFailureText(search).find(
                "C:\\SIERRA\\Half-Life\n\nThe registry names no "
                "Half-Life install folder.\nThe registry names no "
                "Steam folder.\n\n"),
            std::string::npos);
  ASSERT_TRUE(tools::SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Valve\\Steam", "InstallPath",
                                      REG_SZ, steam_.path() + '\0', tools::RegistryView::k32Bit));
  EXPECT_EQ(Find().found, InLibrary(library_.path()));

  // A message names the first twelve places and counts the rest.
  for (int libraries : {10, 15}) {
    std::vector<std::string> many;
    for (int i = 0; i < libraries; ++i) many.push_back(library_ / std::to_string(i));
    WriteLibraryList(tools::SteamLibraryList(many));
    search = Find();
    ASSERT_EQ(search.looked.size(), libraries + 2u);  // C:\SIERRA, Steam's own folder, libraries
    const std::string listed = game_finder::NotFoundFailureText(search);
    const std::string last = InLibrary(many[9]) + "  (Steam)\n";
    EXPECT_NE(listed.find(libraries == 10 ? last + "\n" : last + "and 5 more\n"), std::string::npos)
        << listed;
  }
}

// The order of the places: game_places_test.cpp. Here the settings file and its failure text.
TEST_F(GameFolderTest, TheNamedFolderCountsFromTheSettingsFileAndIsReportedWithoutTheGame) {
  PutHalfLife(kSierra);
  PutHalfLife(elsewhere_.path());
  // A relative name counts from the settings file's folder, wherever the program is.
  ASSERT_TRUE(tools::WriteTextFile(settings_, "[Game]\r\nFolder=named\r\n"));
  PutHalfLife(elsewhere_ / "named");
  ASSERT_TRUE(SetCurrentDirectoryA(library_.path().c_str()));
  EXPECT_EQ(Find().found, elsewhere_ / "named");

  // The program's own settings file is the one beside it.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string beside = std::string(self, std::strrchr(self, '\\') + 1) + "launcher.ini";
  ASSERT_TRUE(tools::WriteTextFile(settings_, "[Game]\r\nFolder=" + elsewhere_.path() + "\r\n"));
  ASSERT_TRUE(CopyFileA(settings_.c_str(), beside.c_str(), FALSE));
  EXPECT_EQ(game_finder::LocateGame(messages_, nullptr).found, elsewhere_.path());
  DeleteFileA(beside.c_str());
  EXPECT_TRUE(messages_.shown.empty());

  // A named folder without the game is reported, and the others are looked in.
  DeleteFileA((elsewhere_ / "hl.exe").c_str());
  ASSERT_TRUE(CopyFileA(settings_.c_str(), beside.c_str(), FALSE));
  EXPECT_EQ(game_finder::LocateGame(messages_, nullptr).found, kSierra);
  DeleteFileA(beside.c_str());
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text,
            "The folder \"" + elsewhere_.path() + "\" named in \"" + beside +
                "\" holds no hl.exe, so Half-Life is looked for in its usual places instead.");
}

// Nothing anywhere: the switch and the launch work in C:\SIERRA as before, and their failure
// names every place looked in and the settings file.
TEST_F(GameFolderTest, NowhereTheMainWindowFailsAsBeforeNamingEveryPlaceAndTheSettingsFile) {
  WriteLibraryList(tools::SteamLibraryList({steam_.path(), library_.path()}));
  ASSERT_TRUE(tools::RegisterSteamPath(steam_.path()));
  ASSERT_TRUE(tools::RegisterInstallPath(elsewhere_ / "gone"));
  std::string steamAsRecorded = steam_.path();  // in lower case
  CharLowerBuffA(steamAsRecorded.data(), static_cast<DWORD>(steamAsRecorded.size()));
  const std::string places =
      "Half-Life (hl.exe with a cstrike folder) is in none of the folders looked in, in this "
      "order:\n\nC:\\SIERRA\\Half-Life\n" +
      elsewhere_.path() + "\\gone  (the registry's Half-Life install folder)\n" +
      InLibrary(steamAsRecorded) + "  (Steam)\n" + InLibrary(library_.path()) +
      "  (Steam)\n\n"
      "To use Half-Life in another folder, name it in \"" +
      game_finder::SettingsFileBesideProgram() + "\":\n[Game]\nFolder=";
  app::Launcher& launcher = program_.launcher();
  launcher.and_Click();
  ASSERT_EQ(messages_.shown.size(), 2u);
  const std::string& switchText = messages_.shown[1].text;
  EXPECT_EQ(switchText.find("Could not open the folder \"C:\\SIERRA\\Half-Life\\cstrike\""), 0u);
  EXPECT_NE(switchText.find("No file was changed.\n\n" + places), std::string::npos) << switchText;
  launcher.cstrike_Click();
  const std::string& launchText = messages_.shown.back().text;
  EXPECT_EQ(launchText.find("Could not open the folder \"C:\\SIERRA\\Half-Life\""), 0u);
  EXPECT_NE(launchText.find("Counter-Strike was not started.\n\n" + places), std::string::npos)
      << launchText;
  EXPECT_FALSE(program_.ended());
}

// C:\SIERRA holds a CD's Half-Life without Counter-Strike: named so when nothing else holds the
// game (passed over for Steam's: code_page_game_e2e_test.cpp).
TEST_F(GameFolderTest, HalfLifeWithoutCounterStrikeIsPassedOverAndNamedSo) {
  ASSERT_TRUE(tools::WriteTextFile(kSierra + "\\hl.exe", "MZ"));
  ASSERT_TRUE(tools::WriteTextFile(kSierra + "\\valve\\liblist.gam", "game \"Half-Life\"\r\n"));
  const game_finder::GameSearch search = Find();
  EXPECT_EQ(search.found, "");
  EXPECT_NE(game_finder::NotFoundFailureText(search).find(
                "\n\nC:\\SIERRA\\Half-Life  (holds hl.exe but no cstrike folder)\n"),
            std::string::npos);
}

// launcher.exe put beside hl.exe, or into cstrike: found before C:\SIERRA, after a named folder.
// Started from a folder without the game, its folders are not named in the message.
TEST_F(GameFolderTest, TheProgramsFolderAndTheOneAboveComeAfterTheNamedFolder) {
  PutHalfLife(kSierra);
  PutHalfLife(library_.path());
  EXPECT_EQ(Find(library_.path()).found, library_.path());
  PutHalfLife(elsewhere_ / "named");
  ASSERT_TRUE(tools::WriteTextFile(settings_, "[Game]\r\nFolder=named\r\n"));
  EXPECT_EQ(Find(library_.path()).found, elsewhere_ / "named");
  tools::RemoveTree(kSierra);
  DeleteFileA(settings_.c_str());
  const std::string text = game_finder::NotFoundFailureText(Find(steam_ / "Downloads"));
  EXPECT_EQ(text.find("Downloads"), std::string::npos) << text;
  EXPECT_EQ(text.find(steam_.path() + "\n"), std::string::npos) << text;
}

// Folders in letters no code page of these tests holds (Arabic) can be named in UTF-8 only:
// never looked up by a lossy name, but named as not looked in.
TEST_F(GameFolderTest, AFolderTheCodePageCannotNameIsNotLookedInAndSaysSo) {
  const std::string arabic = "\xD8\xA3\xD9\x84\xD8\xB9\xD8\xA7\xD8\xA8";  // UTF-8
  WriteLibraryList("\"libraryfolders\"\n{\n\"0\"\n{\n\"path\" \"D:\\\\" + arabic + "\"\n}\n}\n");
  ASSERT_TRUE(tools::RegisterSteamPath(steam_.path()));
  ASSERT_TRUE(tools::WriteTextFile(settings_, "[Game]\r\nFolder=E:\\" + arabic + "\r\n"));
  const game_finder::GameSearch search = Find();
  ASSERT_EQ(search.looked.size(), 2u);  // C:\SIERRA and Steam's own folder
  ASSERT_EQ(search.unnameable.size(), 2u);
  const std::string shown = search.unnameable[1].folder;  // as near as the code page shows it
  EXPECT_EQ(shown.find("D:\\"), 0u);
  EXPECT_NE(game_finder::NotFoundFailureText(search).find(
                "characters that the system's code page (" + std::to_string(GetACP()) +
                ") cannot hold:\n" + search.unnameable[0].folder + "\n" + shown + "\n"),
            std::string::npos)
      << game_finder::NotFoundFailureText(search);
  EXPECT_EQ(game_finder::NamedFolderFailureText(search).find("The folder \"E:\\"), 0u);
  EXPECT_NE(game_finder::NamedFolderFailureText(search).find("cannot be looked in"),
            std::string::npos);
}

// The program asks Windows for no "There is no disk in the drive" box.
TEST_F(GameFolderTest, TheProgramAsksForNoBoxWhenADriveHasNoMedium) {
  SetErrorMode(0);
  app::Program program({messages_, random_});
  const UINT mode = SetErrorMode(0);
  EXPECT_EQ(mode & (SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX),
            static_cast<UINT>(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));
}

}  // namespace
