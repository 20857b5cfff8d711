// A path as Windows names it in full, so that two spellings of one file or
// folder compare equal.
#pragma once

#include <string>

namespace platform {

// `path`'s full, long name (no 8.3 parts, no trailing separator but a root's),
// in UTF-16, upper-cased by the system's rules.
std::wstring CanonicalPath(const std::string& path);

}  // namespace platform
