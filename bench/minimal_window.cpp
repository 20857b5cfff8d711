// The baselines of the start-up benchmark. minimal_window.exe: the least a
// Win32 program does to show one window and wait for input; no resources, no
// controls, nothing but a registered class, one shown window and a message
// loop. controls_floor.exe (built with WITH_LAUNCHER_CONTROLS): the same with
// the launcher's resources (its manifest asks for common controls 6), common
// controls loaded at start as the launcher loads them, and the main window's
// fourteen controls of the same classes at the same places, read from the same
// layout table; no fonts, icon or picture.
#include <windows.h>

#ifdef WITH_LAUNCHER_CONTROLS
#include <commctrl.h>

#include "app/launcher_layout.h"
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

#ifdef WITH_LAUNCHER_CONTROLS
constexpr char kTitle[] = "Controls Floor";

void AddLauncherControls(HWND window, HINSTANCE instance) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  auto pixels = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
  for (const platform::ControlSpec& control : app::LauncherLayout().controls) {
    const bool button = control.kind == platform::ControlKind::kPushButton;
    CreateWindowExA(0, button ? "BUTTON" : "STATIC", control.caption,
                    WS_CHILD | WS_VISIBLE | (button ? BS_PUSHBUTTON | WS_TABSTOP : SS_LEFT),
                    pixels(control.left), pixels(control.top), pixels(control.width),
                    pixels(control.height), window, nullptr, instance, nullptr);
  }
}
#else
constexpr char kTitle[] = "Minimal Window";
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef WITH_LAUNCHER_CONTROLS
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = "MinimalWindow";
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window =
      CreateWindowExA(0, "MinimalWindow", kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      CW_USEDEFAULT, CW_USEDEFAULT, 500, 230, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
#ifdef WITH_LAUNCHER_CONTROLS
  AddLauncherControls(window, instance);
#endif
  ShowWindow(window, show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
