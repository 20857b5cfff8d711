#include "launcher_app.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "support/demo_game.h"
#include "support/file_tree.h"
#include "support/registry.h"

namespace testing_support {

std::string LauncherPath() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  path.resize(path.find_last_of('\\') + 1);
  // The test programs live in tests/ below the folder of launcher.exe.
  std::string beside = path + "launcher.exe";
  if (GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES) return beside;
  return path + "..\\launcher.exe";
}

std::string BesideLauncher(const std::string& name) {
  return LauncherPath().substr(0, LauncherPath().rfind('\\') + 1) + name;
}

std::string LaunchRecord(const std::string& folder) {
  std::string record;
  const std::string launched = folder + "\\launched.txt";
  EXPECT_TRUE(tools::WaitUntil([&] { return tools::ReadTextFile(launched, record); }))
      << "not started from " << folder;
  DeleteFileA(launched.c_str());
  return record;
}

void ResetDemoGame() {
  tools::RemoveDemoSteamInstall();
  tools::RemoveTree(tools::kDemoHalfLifeFolder);
  ASSERT_TRUE(tools::InstallDemoGame(tools::kDemoHalfLifeFolder));
  ASSERT_TRUE(tools::RegisterInstallPath(tools::kDemoHalfLifeFolder));
}

tools::Driver StartLauncher(HWND& mainWindow) {
  std::optional<tools::Driver> driver = tools::Driver::Start(LauncherPath(), "C:\\");
  EXPECT_TRUE(driver) << "could not start " << LauncherPath();
  if (!driver) std::abort();
  mainWindow = driver->WaitForWindow(kLauncherTitle);
  EXPECT_NE(mainWindow, nullptr) << "the main window did not appear";
  return std::move(*driver);
}

HWND OpenEditor(tools::Driver& app, HWND mainWindow, const std::string& mod, HWND* chooser) {
  tools::Press(tools::FindChild(mainWindow, "Map Cycle"));
  HWND mods = app.WaitForWindow(kRotamundTitle);
  if (chooser) *chooser = mods;
  HWND list = tools::FindList(mods, 0);
  EXPECT_TRUE(tools::WaitUntil([&] { return IndexOf(list, mod) >= 0; })) << mod << " not listed";
  tools::SelectListItem(list, IndexOf(list, mod));
  tools::Press(tools::FindChild(mods, "&Edit"));
  EXPECT_TRUE(tools::WaitUntil([&] { return !IsWindowVisible(mods); }));
  HWND editor = app.WaitForWindow(kRotamundTitle);
  EXPECT_NE(editor, nullptr) << "the editor did not open";
  return ::testing::Test::HasFailure() ? nullptr : editor;
}

bool Click(HWND button) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 15000, &result) != 0;
}

int IndexOf(HWND list, const std::string& text) {
  const std::vector<std::string> items = tools::ListItems(list);
  const auto found = std::find(items.begin(), items.end(), text);
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void ExpectTabCycle(HWND window, std::initializer_list<int> ids) {
  SetForegroundWindow(window);
  for (int id : ids) {
    ASSERT_TRUE(tools::WaitUntil([&] { return GetDlgCtrlID(tools::FocusedControl(window)) == id; }))
        << "expected the focus on " << id;
    tools::PressKey(VK_TAB);
  }
}

void LauncherE2ETest::SetUp() {
  ResetDemoGame();
  app_.emplace(StartLauncher(main_));
  ASSERT_NE(main_, nullptr);
}

std::string LauncherE2ETest::AnswerBox(const char* title) {
  auto box = app_->WaitForMessageBox();
  EXPECT_TRUE(box && box->hasIcon && (!title || box->title == title) && app_->Dismiss(*box))
      << (box ? box->title : "no box");
  return box ? box->text : "";
}

}  // namespace testing_support
