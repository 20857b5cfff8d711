// Program start: the main window is loaded and shown; the program runs until
// it is ended or its last window is unloaded.
#include <windows.h>

#include <commctrl.h>

#include "app/launcher.h"
#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  platform::SystemMessageBoxes messages;
  platform::ClockSeededRandom random;
  app::Program program({messages, random});
  program.Show(app::FormId::kLauncher);
  if (program.ended()) return 0;
  if (app::Launcher* launcher = program.launcher()) launcher->StartUp();
  return platform::RunMessageLoop([&] { program.ReleaseUnloaded(); });
}
