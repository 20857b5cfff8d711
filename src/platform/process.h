// Starting another program without waiting for it.
#pragma once

#include <string>

#include "platform/status.h"

namespace platform {

// Starts `executable` (a full path) with `commandLine` in a new process whose
// current folder is `folder`, with a normal window that gets the focus. The
// new process is not watched: its handles are closed at once.
Status StartProgram(const std::string& executable, const std::string& commandLine,
                    const std::string& folder);

}  // namespace platform
