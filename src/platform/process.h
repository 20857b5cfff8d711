// Starting another program without waiting for it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/status.h"

namespace platform {

// Starts `executable` (a full path) with `commandLine` in a new process whose
// current folder is `folder`, with a normal window that gets the focus. The
// new process is not watched: its handles are closed at once.
Status StartProgram(const std::string& executable, const std::string& commandLine,
                    const std::string& folder);

// The ids of the running processes whose program is the file `executable` (a
// full path; any spelling of the same file). A process whose program cannot be
// told (another user's, say) is not among them.
std::vector<DWORD> ProcessesRunning(const std::string& executable);

// Brings the main window of the process `processId` to the front, restored
// when it is minimized; false when the process shows no window.
bool BringWindowForward(DWORD processId);

}  // namespace platform
