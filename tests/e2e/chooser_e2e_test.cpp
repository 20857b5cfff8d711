// Start-up, the mod chooser and the game launch, driven from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher_app.h"
#include "mod_chooser/frm_mods.h"
#include "support/demo_game.h"
#include "support/file_tree.h"

namespace {

using namespace testing_support;
using tools::Driver;

constexpr char kHalfLife[] = "C:\\SIERRA\\Half-Life";
constexpr char kValveKey[] = "Software\\Valve\\Half-Life";

std::string InHalfLife(const std::string& relative) {
  return std::string(kHalfLife) + "\\" + relative;
}

// The stand-in game built beside launcher.exe.
std::string FakeGamePath() {
  std::string path = LauncherPath();
  return path.substr(0, path.find_last_of('\\') + 1) + "fake_game.exe";
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

class ChooserE2E : public ::testing::Test {
 protected:
  void SetUp() override { ResetDemoGame(); }

  void Start() {
    app_.emplace(StartLauncher(main_));
    ASSERT_NE(main_, nullptr);
  }
  HWND Child(HWND window, const std::string& caption) {
    HWND child = tools::FindChild(window, caption);
    EXPECT_NE(child, nullptr) << caption;
    return child;
  }
  // Presses "Map Cycle" and waits for the chooser.
  HWND OpenChooser() {
    tools::Press(Child(main_, "Map Cycle"));
    HWND chooser = app_->WaitForWindow(kRotamundTitle);
    EXPECT_NE(chooser, nullptr);
    return chooser;
  }
  std::optional<tools::MessageBoxSeen> ExpectBox(const std::string& title,
                                                 const std::string& text) {
    auto box = app_->WaitForMessageBox();
    EXPECT_TRUE(box) << "no message box";
    if (!box) return box;
    EXPECT_EQ(box->title, title);
    EXPECT_EQ(box->text, text);
    EXPECT_TRUE(box->hasIcon);
    return box;
  }

  HWND main_ = nullptr;
  std::optional<Driver> app_;
};

TEST_F(ChooserE2E, MapCycleOffersTheModsWithARotationAndExitComesBack) {
  ASSERT_TRUE(tools::WriteTextFile(InHalfLife("gearbox\\MAPCYCLE.TXT"), "op4_bootcamp\r\n"));
  ASSERT_TRUE(tools::WriteTextFile(InHalfLife("tfc.old\\mapcycle.txt"), "2fort\r\n"));
  ASSERT_TRUE(tools::WriteTextFile(InHalfLife("ricochet\\mapcycle.txt"), "rc_arena\r\n"));
  ASSERT_TRUE(
      SetFileAttributesA(InHalfLife("ricochet\\mapcycle.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(tools::MakeFolders(InHalfLife("dod\\maps")));
  ASSERT_TRUE(tools::WriteTextFile(InHalfLife("readme"), "no extension\r\n"));
  Start();

  HWND chooser = OpenChooser();
  ASSERT_NE(chooser, nullptr);
  EXPECT_TRUE(app_->WaitForWindowGone(kLauncherTitle));
  HWND list = tools::FindList(chooser, 0);
  EXPECT_EQ(tools::ListItems(list), (std::vector<std::string>{"cstrike", "gearbox", "valve"}));
  EXPECT_TRUE(tools::SelectedIndexes(list).empty());

  // A registry change while the chooser is open is seen on the way back.
  const std::string other = "C:\\Other Half-Life";
  tools::RemoveTree(other);
  ASSERT_TRUE(tools::WriteTextFile(other + "\\bshift\\mapcycle.txt", "ba_outro\r\n"));
  ASSERT_TRUE(tools::RegisterInstallPath(other));
  tools::Press(Child(chooser, "E&xit"));
  main_ = app_->WaitForWindow(kLauncherTitle);
  ASSERT_NE(main_, nullptr);
  EXPECT_TRUE(app_->WaitForWindowGone(kRotamundTitle));

  chooser = OpenChooser();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(tools::ListItems(tools::FindList(chooser, 0)), (std::vector<std::string>{"bshift"}));
  tools::RemoveTree(other);
}

TEST_F(ChooserE2E, EmptyInstallPathSaysCannotStartAndTheProgramEnds) {
  ASSERT_TRUE(tools::RegisterInstallPath(""));
  Start();
  tools::Press(Child(main_, "Map Cycle"));
  auto box = ExpectBox("Cannot Start", "Half Life is not installed on this machine");
  ASSERT_TRUE(box);
  EXPECT_FALSE(app_->WaitForWindow(kRotamundTitle, std::chrono::milliseconds(0)));
  ASSERT_TRUE(app_->Dismiss(*box));
  EXPECT_TRUE(app_->WaitForExit());
}

TEST_F(ChooserE2E, MissingInstallPathSaysCannotContinueThenShowsAnEmptyChooser) {
  ASSERT_EQ(RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kValveKey, "InstallPath"), ERROR_SUCCESS);
  Start();
  tools::Press(Child(main_, "Map Cycle"));
  auto box = ExpectBox("Cannot Continue", "No files present in: No Name\\*.");
  ASSERT_TRUE(box);
  ASSERT_TRUE(app_->Dismiss(*box));
  HWND chooser = app_->WaitForWindow(kRotamundTitle);
  ASSERT_NE(chooser, nullptr);
  EXPECT_TRUE(tools::ListItems(tools::FindList(chooser, 0)).empty());
  EXPECT_TRUE(app_->WaitForWindowGone(kLauncherTitle));
  EXPECT_TRUE(app_->IsRunning());
}

// The launch after a profile switch, which leaves the program in the
// Counter-Strike folder where a second hl.exe waits: only the game in the
// Half-Life folder may start, from that folder.
TEST_F(ChooserE2E, LaunchStartsTheGameFromItsFolderAndEnds) {
  ASSERT_TRUE(CopyFileA(FakeGamePath().c_str(), InHalfLife("hl.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(FakeGamePath().c_str(), InHalfLife("cstrike\\hl.exe").c_str(), FALSE));
  Start();
  tools::Press(Child(main_, "Android"));
  auto box = app_->WaitForMessageBox();
  ASSERT_TRUE(box);
  ASSERT_TRUE(app_->Dismiss(*box));
  ASSERT_TRUE(Driver::WaitIdle(main_));

  tools::Press(Child(main_, "Launch Counter-Strike"));
  EXPECT_TRUE(app_->WaitForExit());
  std::string record;
  ASSERT_TRUE(
      tools::WaitUntil([&] { return tools::ReadTextFile(InHalfLife("launched.txt"), record); }));
  EXPECT_EQ(record.substr(0, record.find('\n')), "hl.exe -console -game cstrike");
  EXPECT_TRUE(
      SameTextIgnoringCase(record.substr(record.find('\n') + 1), std::string(kHalfLife) + "\n"))
      << record;
  EXPECT_EQ(GetFileAttributesA(InHalfLife("cstrike\\launched.txt").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(ChooserE2E, LaunchWithoutTheGameSaysWhyAndStaysOpen) {
  struct Case {
    const char* name;
    std::string named;
  };
  const Case cases[] = {{"no hl.exe", "c:\\SIERRA\\Half-Life\\hl.exe"},
                        {"no game folder", "c:\\SIERRA\\Half-Life"}};
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (std::string(c.name) == "no game folder") tools::RemoveTree(kHalfLife);
    tools::Press(Child(main_, "Launch Counter-Strike"));
    auto box = app_->WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find(c.named), std::string::npos) << box->text;
    EXPECT_TRUE(box->hasIcon);
    ASSERT_TRUE(app_->Dismiss(*box));
    ASSERT_TRUE(Driver::WaitIdle(main_));
    EXPECT_TRUE(app_->IsRunning());
    EXPECT_TRUE(IsWindowVisible(main_));
  }
}

TEST_F(ChooserE2E, LayoutMatchesTheTableAt96Dpi) {
  Start();
  HWND chooser = OpenChooser();
  ASSERT_NE(chooser, nullptr);
  RECT client;
  GetClientRect(chooser, &client);
  EXPECT_EQ(client.right, 407);
  EXPECT_EQ(client.bottom, 377);
  using F = mod_chooser::FrmMods;
  struct Box {
    int id;
    const char* caption;           // nullptr: no caption to check
    int left, top, width, height;  // twips
  };
  const Box boxes[] = {
      {F::kCmdEdit, "&Edit", 4320, 3720, 1215, 495},
      {F::kCmdClose, "E&xit", 4320, 4560, 1215, 375},
      {F::kLstModList, nullptr, 240, 360, 3255, 5160},
      {F::kImage1, nullptr, 4440, 2400, 960, 960},
      {F::kLabel1, "Half Life MODs with a Map Cycle", 360, 120, 3015, 255},
  };
  auto rectangles = [&] {
    std::vector<RECT> all;
    for (const Box& box : boxes)
      all.push_back(tools::ClientRectIn(GetDlgItem(chooser, box.id), chooser));
    return all;
  };
  const std::vector<RECT> before = rectangles();
  for (size_t i = 0; i < std::size(boxes); ++i) {
    const Box& box = boxes[i];
    SCOPED_TRACE(box.id);
    if (box.caption) {
      EXPECT_EQ(tools::WindowText(GetDlgItem(chooser, box.id)), box.caption);
    }
    EXPECT_EQ(before[i].left, box.left / 15);
    EXPECT_EQ(before[i].top, box.top / 15);
    EXPECT_EQ(before[i].right - before[i].left, box.width / 15);
    EXPECT_EQ(before[i].bottom - before[i].top, box.height / 15);
  }
  char title[64] = {};
  GetWindowTextA(chooser, title, sizeof title);
  EXPECT_STREQ(title, "Half-Life Rotamund - v2.0");
  LONG style = GetWindowLongA(chooser, GWL_STYLE);
  EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  LONG listStyle = GetWindowLongA(GetDlgItem(chooser, F::kLstModList), GWL_STYLE);
  EXPECT_FALSE(listStyle & (LBS_SORT | LBS_EXTENDEDSEL | LBS_MULTIPLESEL));

  // Resizing the frame moves nothing.
  SetWindowPos(chooser, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  Driver::WaitIdle(chooser);
  const std::vector<RECT> after = rectangles();
  for (size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(EqualRect(&before[i], &after[i])) << i;
}

TEST_F(ChooserE2E, FocusStartsInTheListTabCyclesAndAltXLeaves) {
  Start();
  HWND chooser = OpenChooser();
  ASSERT_NE(chooser, nullptr);
  SetForegroundWindow(chooser);
  using F = mod_chooser::FrmMods;
  for (int expected : {F::kLstModList, F::kCmdClose, F::kCmdEdit, F::kLstModList}) {
    ASSERT_TRUE(tools::WaitUntil([&] {
      return tools::FocusedControl(chooser) == GetDlgItem(chooser, expected);
    })) << "expected focus on control "
        << expected;
    tools::PressKey(VK_TAB);
  }
  tools::PressKey(VK_ESCAPE);
  Driver::WaitIdle(chooser);
  EXPECT_TRUE(IsWindowVisible(chooser));
  tools::PressKey('X', true);
  EXPECT_NE(app_->WaitForWindow(kLauncherTitle), nullptr);
  EXPECT_TRUE(app_->WaitForWindowGone(kRotamundTitle));
}

}  // namespace
