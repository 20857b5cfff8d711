// A stand-in for the game executable: writes its command line and its current
// folder, one per line, to "launched.txt" beside itself, then exits. The file
// appears in one step, so a reader never sees half of it. With a file
// "keep-running" beside it, it then shows a window titled as kRunningGameTitle
// and runs until that window is closed or the program is ended, as the game does.
#include <windows.h>

#include <string>

namespace {

constexpr char kRunningGameTitle[] = "Counter-Strike stand-in";

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

int RunUntilClosed() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &GameWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "FakeGame";
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, kRunningGameTitle, WS_OVERLAPPEDWINDOW, 50, 50,
                      320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWMINNOACTIVE);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

}  // namespace

int main() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = self;
  folder.resize(folder.find_last_of('\\') + 1);

  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  const std::string record = std::string(GetCommandLineA()) + "\n" + current + "\n";

  const std::string temporary = folder + "launched.tmp";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || !MoveFileExA(temporary.c_str(), (folder + "launched.txt").c_str(),
                          MOVEFILE_REPLACE_EXISTING)) {
    return 1;
  }
  if (GetFileAttributesA((folder + "keep-running").c_str()) == INVALID_FILE_ATTRIBUTES) return 0;
  return RunUntilClosed();
}
