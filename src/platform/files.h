// File and folder operations on whole files, each reporting what failed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace platform {

Status SetCurrentFolder(const std::string& folder);

// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// Deletes every file (not folder) in one folder whose name matches the last
// component of `pattern`, e.g. "C:\\game\\maps\\*.wpt". Subfolders are not
// searched. Names listed in `keep` stay (compared ignoring letter case, as the
// file system does). Matching nothing is not a failure.
Status DeleteMatching(const std::string& pattern, const std::vector<std::string>& keep = {});

// Replaces `destination` with a copy of `source` so that the destination is
// never missing or partial: the copy goes to a temporary file in the
// destination's folder first and is then renamed over the destination.
Status ReplaceWithCopy(const std::string& source, const std::string& destination);

// Writes `bytes` as the whole content of `path` the same way: a temporary file
// beside it, flushed, then renamed over it. On failure the old file is intact.
Status WriteFileAtomic(const std::string& path, std::string_view bytes);

// Reads the whole file into `bytes`.
Status ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace platform
