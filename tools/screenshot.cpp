// Walks a running launcher.exe through its three windows and saves each as a
// PNG, then closes the program:  screenshot OUTPUT-FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/driver.h"
#include "support/png_capture.h"

namespace {

HWND WaitForClass(const char* className) {
  HWND window = nullptr;
  tools::WaitUntil([&] {
    window = FindWindowA(className, nullptr);
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

int IndexOf(HWND list, const std::string& text) {
  auto items = tools::ListItems(list);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshot OUTPUT-FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  HWND launcher = WaitForClass("OrlwinLauncher");
  if (!launcher) {
    std::fprintf(stderr, "The main window did not appear\n");
    return 1;
  }
  // The main window shows which profile is live once it has painted: a moment for that.
  tools::Driver::WaitIdle(launcher);
  Sleep(500);
  bool ok = Capture(launcher, folder + "\\launcher.png");

  tools::Press(tools::FindChild(launcher, "Map Cycle"));
  HWND chooser = WaitForClass("RotamundChooser");
  HWND editor = nullptr;
  if (chooser) {
    HWND mods = tools::FindList(chooser, 0);
    int cstrike = IndexOf(mods, "cstrike");
    if (cstrike >= 0) tools::SelectListItem(mods, cstrike);
    ok = Capture(chooser, folder + "\\chooser.png") && ok;
    tools::Press(tools::FindChild(chooser, "&Edit"));
    editor = WaitForClass("RotamundEditor");
  }
  if (editor) {
    HWND maps = tools::FindList(editor, 1);  // lstBSP is created after lstMap
    if (tools::ListItems(maps).size() > 2) {
      tools::SelectListItem(maps, 1);
      tools::SelectListItem(maps, 2, true);
    }
    ok = Capture(editor, folder + "\\editor.png") && ok;
    PostMessageA(editor, WM_CLOSE, 0, 0);
  }
  if (!chooser || !editor) {
    std::fprintf(stderr, "Could not reach the %s\n", chooser ? "editor" : "mod chooser");
    ok = false;
  }
  // Closing the last window ends the program.
  for (const char* className : {"RotamundEditor", "RotamundChooser", "OrlwinLauncher"}) {
    HWND window = FindWindowA(className, nullptr);
    if (window) {
      tools::Driver::WaitIdle(window);
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  }
  return ok ? 0 : 1;
}
