// Starting the built launcher.exe on the demo game for end-to-end tests.
#pragma once

#include <string>

#include "support/driver.h"

namespace testing_support {

// launcher.exe beside the running test program.
std::string LauncherPath();

// Writes a fresh demo game to C:\SIERRA\Half-Life and points the registry at it.
void ResetDemoGame();

// Starts launcher.exe and waits for its main window; fails the test otherwise.
tools::Driver StartLauncher(HWND& mainWindow);

// From the main window: Map Cycle, `mod` chosen once listed, Edit. The editor,
// or nullptr after a failed check; `chooser` is set to the hidden chooser.
HWND OpenEditor(tools::Driver& app, HWND mainWindow, const std::string& mod,
                HWND* chooser = nullptr);

// Presses a button whose handler shows no box and returns once the handler has
// run (a posted press may still wait behind a message sent later).
bool Click(HWND button);

// The index of `text` in `list`, or -1.
int IndexOf(HWND list, const std::string& text);

inline constexpr char kLauncherTitle[] = "Orlwin Bot Launcher";
inline constexpr char kRotamundTitle[] = "Half-Life Rotamund - v2.0";

}  // namespace testing_support
