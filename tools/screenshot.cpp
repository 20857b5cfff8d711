// Saves each window of a running launcher.exe as a PNG, then closes it:
//   screenshot OUTPUT-FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/driver.h"
#include "support/png_capture.h"

namespace {

HWND WaitForTitle(const char* title) {
  HWND window = nullptr;
  tools::WaitUntil([&] {
    window = FindWindowA(nullptr, title);
    return window && IsWindowVisible(window);
  });
  return window;
}

bool Capture(HWND window, const std::string& path) {
  // Let the window finish painting before it is captured.
  tools::Driver::WaitIdle(window);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  tools::Driver::WaitIdle(window);
  if (!tools::SaveWindowPng(window, path)) {
    std::fprintf(stderr, "Could not save %s\n", path.c_str());
    return false;
  }
  std::printf("Saved %s\n", path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshot OUTPUT-FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  HWND launcher = WaitForTitle("Orlwin Bot Launcher");
  if (!launcher) {
    std::fprintf(stderr, "The main window did not appear\n");
    return 1;
  }
  bool ok = Capture(launcher, folder + "\\launcher.png");
  PostMessageA(launcher, WM_CLOSE, 0, 0);
  return ok ? 0 : 1;
}
