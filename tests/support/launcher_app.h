// Starting the built launcher.exe on the demo game for end-to-end tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "support/driver.h"

namespace testing_support {

// launcher.exe beside the running test program; a file beside it, such as the stand-in game
// fake_game.exe, which writes down how it was started in launched.txt in its folder.
std::string LauncherPath();
std::string BesideLauncher(const std::string& name);
inline std::string FakeGame() { return BesideLauncher("fake_game.exe"); }

// The command line and current folder the stand-in game in `folder` was started with, once it has
// written them down; the record is removed.
std::string LaunchRecord(const std::string& folder);

// Writes a fresh demo game to C:\SIERRA\Half-Life and registers it; no Steam install is left.
void ResetDemoGame();

// Starts launcher.exe and waits for its main window; fails the test otherwise.
tools::Driver StartLauncher(HWND& mainWindow);

// From the main window: Map Cycle, `mod` chosen once listed, Edit. The editor, or nullptr after
// a failed check; `chooser` is set to the hidden chooser.
HWND OpenEditor(tools::Driver& app, HWND mainWindow, const std::string& mod,
                HWND* chooser = nullptr);

// Presses a button whose handler shows no box; returns once the handler has run.
bool Click(HWND button);

// The index of `text` in `list`, or -1.
int IndexOf(HWND list, const std::string& text);

// Brings `window` to the front: the focus starts on the first of `ids` and each Tab moves it to
// the next.
void ExpectTabCycle(HWND window, std::initializer_list<int> ids);

inline constexpr char kLauncherTitle[] = "Orlwin Bot Launcher";
inline constexpr char kRotamundTitle[] = "Half-Life Rotamund - v2.0";

// A fresh demo game and launcher.exe started on it, its main window in front.
class LauncherE2ETest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Answers the next message box, which must show an icon (and `title`, when given); its text.
  std::string AnswerBox(const char* title = nullptr);

  HWND main_ = nullptr;
  std::optional<tools::Driver> app_;
};

}  // namespace testing_support
