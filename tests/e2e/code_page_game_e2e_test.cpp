// Finding the game on machines set up in the player's own language, driven from outside: folder
// names in the run's ANSI code page (under 932 and 936 ending in a character whose second byte is
// '\'), Steam's UTF-8 library list, launcher.ini in each encoding, a stand-alone game beside
// launcher.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "launcher_app.h"
#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"
#include "temp_folder.h"

namespace {

using namespace testing_support;

// A name in the letters of the run's code page.
std::wstring LocalName() {
  const UINT codePage = GetACP();
  return codePage == 1251  ? L"\u0418\u0433\u0440\u044b"  // Игры
         : codePage == 932 ? L"\u30b2\u30fc\u30e0\u8868"  // ゲーム表
         : codePage == 936 ? L"\u6e38\u620f\u64fb"        // 游戏擻
                           : L"Jeux Vid\u00e9o";
}

std::string Encoded(UINT codePage, const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  std::string bytes(
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(),
                      static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}
std::string Ansi(const std::wstring& text) { return Encoded(CP_ACP, text); }
std::string Utf8(const std::wstring& text) { return Encoded(CP_UTF8, text); }

class CodePageGameE2E : public LauncherE2ETest {
 protected:
  void SetUp() override { LeaveNoGame(); }
  void TearDown() override {
    app_.reset();
    LeaveNoGame();
    ResetDemoGame();
  }
  void LeaveNoGame() {
    tools::RemoveDemoSteamInstall();
    tools::UnregisterInstallPath();
    for (const std::string& folder : {std::string(tools::kDemoHalfLifeFolder),
                                      "C:\\" + Ansi(local_), named_, standAlone_, copyFolder_})
      tools::RemoveTree(folder);
  }
  // The demo game with the stand-in hl.exe.
  static void PutGame(const std::string& folder) {
    ASSERT_TRUE(tools::InstallDemoGame(folder)) << folder;
    ASSERT_TRUE(CopyFileA(FakeGame().c_str(), (folder + "\\hl.exe").c_str(), FALSE)) << folder;
  }
  // launcher.exe copied into `folder`.
  static std::string LauncherIn(const std::string& folder) {
    const std::string copy = folder + "\\launcher.exe";
    EXPECT_TRUE(tools::MakeFolders(folder) &&
                CopyFileA(LauncherPath().c_str(), copy.c_str(), FALSE))
        << copy;
    return copy;
  }
  void Start(const std::string& launcher = LauncherPath()) {
    app_ = tools::Driver::Start(launcher, "C:\\");
    ASSERT_TRUE(app_) << launcher;
    ASSERT_NE(main_ = app_->WaitForWindow(kLauncherTitle), nullptr);
  }
  void Press(HWND window, const char* caption) { tools::Press(tools::FindChild(window, caption)); }
  // Launches and returns the folder the game was started in.
  std::string Launch(const std::string& gameFolder) {
    Press(main_, "Launch Counter-Strike");
    EXPECT_TRUE(app_->WaitForExit());
    const std::string record = LaunchRecord(gameFolder);
    return record.substr(record.find('\n') + 1);
  }
  void ExpectSwitchedToNNBot(const std::string& gameFolder) {
    Press(main_, "NNBot");
    AnswerBox();
    ASSERT_TRUE(tools::Driver::WaitIdle(main_));
    EXPECT_EQ(FileBytes(gameFolder + "\\cstrike\\liblist.gam"),
              tools::DemoFileContent("liblist.gam.nnb"))
        << gameFolder;
  }

  const std::wstring local_ = LocalName();
  const std::string named_ = "C:\\HL " + Ansi(local_);
  const std::string standAlone_ = "C:\\LAN " + Ansi(local_);
  const std::string copyFolder_ = "C:\\launcher copy";
};

// Steam lists, in UTF-8, a library named in the code page's letters: the switch and the launch use
// Half-Life there.
TEST_F(CodePageGameE2E, ASteamLibraryNamedInTheCodePagesLetters) {
  const std::wstring library = L"C:\\" + local_;
  const std::string halfLife = Ansi(library) + "\\steamapps\\common\\Half-Life";
  PutGame(halfLife);
  ASSERT_TRUE(
      tools::WriteTextFile(std::string(tools::kDemoSteamFolder) + "\\steamapps\\libraryfolders.vdf",
                           tools::SteamLibraryList({tools::kDemoSteamFolder, Utf8(library)})));
  ASSERT_TRUE(tools::RegisterSteamPath(tools::kDemoSteamFolder));
  Start();
  ExpectSwitchedToNNBot(halfLife);
  EXPECT_EQ(Launch(halfLife), halfLife + "\n");
}

// The folder named in launcher.ini wins over C:\SIERRA, whichever way the file is encoded.
TEST_F(CodePageGameE2E, LauncherIniInEachEncodingNamesTheFolder) {
  PutGame(tools::kDemoHalfLifeFolder);
  PutGame(named_);
  const std::string launcher = LauncherIn(copyFolder_);
  const std::wstring text = L"[Game]\r\nFolder=C:\\HL " + local_ + L"\r\n";
  std::string utf16 = "\xFF\xFE";
  for (wchar_t unit : text) utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  for (const std::string& ini : {Ansi(text), Utf8(text), "\xEF\xBB\xBF" + Utf8(text), utf16}) {
    ASSERT_TRUE(tools::WriteTextFile(copyFolder_ + "\\launcher.ini", ini));
    Start(launcher);
    EXPECT_EQ(Launch(named_), named_ + "\n") << ini;
  }
}

// The registry still names C:\SIERRA; launcher.ini names another game: the chooser lists and the
// editor saves the named one's modifications.
TEST_F(CodePageGameE2E, TheChooserAndTheEditorWorkInTheNamedFolderOverALeftoverInstallPath) {
  ResetDemoGame();
  PutGame(named_);
  const std::string mod = "dmc " + Ansi(local_);
  ASSERT_TRUE(tools::WriteTextFile(named_ + "\\" + mod + "\\mapcycle.txt", "dmc_dm2\r\n"));
  ASSERT_TRUE(tools::WriteTextFile(named_ + "\\cstrike\\mapcycle.txt", "de_dust\ncs_office\n"));
  const std::string sierraCycle = FileBytes("C:\\SIERRA\\Half-Life\\cstrike\\mapcycle.txt");
  ASSERT_TRUE(
      tools::WriteTextFile(copyFolder_ + "\\launcher.ini", "[Game]\r\nFolder=" + named_ + "\r\n"));
  Start(LauncherIn(copyFolder_));
  HWND chooser = nullptr;
  ASSERT_NE(OpenEditor(*app_, main_, "cstrike", &chooser), nullptr);
  EXPECT_EQ(tools::ListItems(tools::FindList(chooser, 0)),
            (std::vector<std::string>{"cstrike", mod, "valve"}));
  tools::PressKey('S', true);
  auto saved = app_->WaitForMessageBox();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->text, "Map Saved");
  ASSERT_TRUE(app_->Dismiss(*saved));
  EXPECT_EQ(FileBytes(named_ + "\\cstrike\\mapcycle.txt"), "de_dust\r\ncs_office\r\n");
  EXPECT_EQ(FileBytes("C:\\SIERRA\\Half-Life\\cstrike\\mapcycle.txt"), sierraCycle);
}

// A game folder copied for a LAN party (no installer, registry or Steam) with launcher.exe put
// beside hl.exe, or into cstrike.
TEST_F(CodePageGameE2E, LauncherBesideHlExeOrInCstrikeFindsTheStandAloneGame) {
  PutGame(standAlone_);
  Start(LauncherIn(standAlone_));
  EXPECT_EQ(Launch(standAlone_), standAlone_ + "\n");
  Start(LauncherIn(standAlone_ + "\\cstrike"));
  ExpectSwitchedToNNBot(standAlone_);
  EXPECT_EQ(Launch(standAlone_), standAlone_ + "\n");
}

}  // namespace
