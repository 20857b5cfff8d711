#include "platform/process.h"

#include <windows.h>

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

}  // namespace platform
