// The main window in-process at 96 DPI (keys and profile buttons: launcher_e2e_test.cpp).
#include <gtest/gtest.h>

#include "app/launcher.h"
#include "fakes.h"
#include "layout_check.h"

namespace {

using L = app::Launcher;

TEST(LauncherWindow, LayoutIsTheTableInTwipsOver15AndResizingMovesNothing) {
  testing_support::RecordingMessageBoxes messages;
  testing_support::ScriptedRandom random;
  app::Program program({messages, random});
  HWND form = program.launcher().window();
  testing_support::ExpectClientSize(form, 487, 194);
  for (int width : {0, 900}) {
    if (width) SetWindowPos(form, nullptr, 0, 0, width, 500, SWP_NOMOVE | SWP_NOZORDER);
    testing_support::ExpectTwipsLayout(form, {{L::kExit, 3240, 2040, 615, 495},
                                              {L::kCycle, 3240, 840, 615, 495},
                                              {L::kRam, 3000, 240, 855, 495},
                                              {L::kCstrike, 2040, 1440, 1815, 495},
                                              {L::kRes, 120, 1440, 1815, 495},
                                              {L::kSwa, 2040, 840, 855, 495},
                                              {L::kRed, 1080, 840, 855, 495},
                                              {L::kRea, 120, 840, 855, 495},
                                              {L::kNnb, 2040, 240, 855, 495},
                                              {L::kAnd, 120, 240, 855, 495},
                                              {L::kBob, 1080, 240, 855, 495},
                                              {L::kActivate, 120, 2400, 3135, 495},
                                              {L::kWeb, 120, 2040, 3135, 375},
                                              {L::kImage1, 4200, 120, 2895, 2610}});
  }
}

}  // namespace
