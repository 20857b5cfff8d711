// File and folder operations on whole files, each reporting what failed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace platform {

// The folder part of `path`, split by the ANSI code page's characters: "." for
// a bare name, "C:\\" for a file in a root.
std::string FolderOf(const std::string& path);

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

// Copies `source`, with its time of last change, to the new file `path` and
// flushes it to the disk; on failure no file `path` is left.
Status WriteCopy(const std::string& source, const std::string& path);

// Gives the bytes of `path` the second name `aside` (which must not exist), so
// that they stay when `path` is replaced or deleted: a hard link, or where the
// file system has none a flushed copy.
Status KeepAside(const std::string& path, const std::string& aside);

// Renames `from` over `to` (existing or not), written through. A rename or
// delete that another program's open handle refuses is tried again for about
// three quarters of a second before it fails.
Status RenameFile(const std::string& from, const std::string& to);

// Deletes the file `path`, tried again the same way.
Status RemoveFile(const std::string& path);

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
