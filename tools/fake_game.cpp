// A stand-in for the game executable: writes its command line and its current
// folder, one per line, to "launched.txt" beside itself, then exits. The file
// appears in one step, so a reader never sees half of it.
#include <windows.h>

#include <string>

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
  return 0;
}
