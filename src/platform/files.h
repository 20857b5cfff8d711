// File and folder operations on whole files, each reporting what failed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace platform {

Status SetCurrentFolder(const std::string& folder);

// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

// True when both files can be read and hold the same bytes.
bool SameContent(const std::string& first, const std::string& second);

// Creates the folder `folder` if there is none of that name; `created` says
// whether this call made it.
Status CreateFolder(const std::string& folder, bool& created);

// Creates a folder no one used before: `base`, or when that name is taken
// "base (2)", "base (3)" and so on. `folder` receives the name it got.
Status CreateNewFolder(const std::string& base, std::string& folder);

// Deletes every file (not folder) in one folder whose name matches the last
// component of `pattern`, e.g. "C:\\game\\maps\\*.wpt". Subfolders are not
// searched. Names listed in `keep` stay (compared ignoring letter case, as the
// file system does). Matching nothing is not a failure. `beforeEach`, when
// given, runs with the file's name before each delete; its failure stops
// the deletes there.
Status DeleteMatching(const std::string& pattern, const std::vector<std::string>& keep = {},
                      const std::function<Status(const std::string&)>& beforeEach = {});

// Replaces `destination` with a copy of `source` so that the destination is
// never missing or partial: the copy goes to a temporary file in the
// destination's folder first, is flushed to the disk and only then renamed
// over the destination. The copy keeps the source's time of last change.
Status ReplaceWithCopy(const std::string& source, const std::string& destination);

// Copies `source` to `destination`, which must not exist: the copy goes to a
// temporary file beside it, is flushed to the disk and only then takes the
// destination's name. An existing destination is never overwritten.
Status CopyToNewFile(const std::string& source, const std::string& destination);

// Writes `bytes` as the whole content of `path` the same way: a temporary file
// beside it, flushed, then renamed over it. On failure the old file is intact.
Status WriteFileAtomic(const std::string& path, std::string_view bytes);

// Reads the whole file into `bytes`, or its first `limit` bytes when it is longer.
Status ReadWholeFile(const std::string& path, std::string& bytes, size_t limit = SIZE_MAX);

}  // namespace platform
