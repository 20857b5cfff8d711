// Folder listings by wildcard pattern, in the platform's listing order.
#pragma once

#include <string>
#include <vector>

#include "platform/status.h"

namespace platform {

enum class ListFilter {
  kOrdinaryFiles,            // files that are neither folders nor hidden nor system
  kFoldersAndOrdinaryFiles,  // the same plus folders that are not hidden or system
  kAllFiles,                 // every file, hidden and system ones too, but no folders
};

struct Listing {
  std::vector<std::string> names;  // last path component only
  Status status;                   // a failure other than "nothing matches"
};

// Lists the names matching `pattern` (a path whose last component may hold
// "*" and "?"). A missing folder is not a failure: it simply matches nothing.
Listing ListNames(const std::string& pattern, ListFilter filter);

// True when `pattern` matches at least one entry the filter admits.
bool AnyMatch(const std::string& pattern, ListFilter filter);

}  // namespace platform
