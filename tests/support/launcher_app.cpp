#include "launcher_app.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/demo_game.h"
#include "support/file_tree.h"

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

void ResetDemoGame() {
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

}  // namespace testing_support
