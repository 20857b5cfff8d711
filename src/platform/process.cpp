#include "platform/process.h"

#include <windows.h>

#include <tlhelp32.h>

#include "platform/ascii_case.h"
#include "platform/canonical_path.h"
#include "platform/handles.h"

namespace platform {

Status StartProgram(const std::string& executable, const std::string& commandLine,
                    const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  std::string mutableCommandLine = commandLine;  // CreateProcessA may write to it
  if (!CreateProcessA(executable.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, folder.c_str(), &startup, &started)) {
    return Status::LastError("Could not start " + Quoted(executable));
  }
  UniqueHandle process(started.hProcess);
  UniqueHandle thread(started.hThread);
  return Status::Ok();
}

namespace {

// The full path of the program process `processId` runs: its first module.
// Toolhelp is on every Windows the program runs on; empty when it is refused.
std::string ProgramOf(DWORD processId) {
  UniqueHandle modules = AdoptHandle(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!modules) return {};
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  if (!Module32First(modules.get(), &module)) return {};
  return module.szExePath;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK TakeMainWindow(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

}  // namespace

std::vector<DWORD> ProcessesRunning(const std::string& executable) {
  std::vector<DWORD> found;
  UniqueHandle processes = AdoptHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!processes) return found;
  const std::string name = executable.substr(executable.find_last_of("\\/") + 1);
  std::wstring wanted;  // made only when a process of that name runs
  PROCESSENTRY32 process{};
  process.dwSize = sizeof process;
  for (BOOL more = Process32First(processes.get(), &process); more;
       more = Process32Next(processes.get(), &process)) {
    // The entry names the program's file; some systems give its whole path.
    const std::string entry = process.szExeFile;
    const std::string entryName = entry.substr(entry.find_last_of("\\/") + 1);
    if (!SameIgnoringAsciiCase(entryName, name)) continue;
    const std::string program = ProgramOf(process.th32ProcessID);
    if (program.empty()) continue;
    if (wanted.empty()) wanted = CanonicalPath(executable);
    if (CanonicalPath(program) == wanted) found.push_back(process.th32ProcessID);
  }
  return found;
}

bool BringWindowForward(DWORD processId) {
  WindowSearch search{processId, nullptr};
  EnumWindows(&TakeMainWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
  SetForegroundWindow(search.found);
  return true;
}

}  // namespace platform
