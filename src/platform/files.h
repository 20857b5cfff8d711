// File and folder operations on whole files, each reporting what failed. All
// of them go through the file system in use (see file_system.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace platform {

// The ends of the names of the program's own temporary files, each beside the
// file it is for: a switch's new bytes before they take the live name and its
// old bytes until the switch has ended, a save's new bytes, and a backup's
// bytes before they take their name in the backup folder. A killed program
// can leave them behind; RemoveTemporaryFiles removes them.
inline constexpr char kStagedSuffix[] = ".launcher-new.tmp";
inline constexpr char kAsideSuffix[] = ".launcher-old.tmp";
inline constexpr char kSavingSuffix[] = ".launcher-save.tmp";
inline constexpr char kBackingUpSuffix[] = ".launcher-backup.tmp";

// A listing pattern that matches each of them.
inline constexpr char kTemporaryPattern[] = "*.launcher-*.tmp";

// True when `name` ends in one of the suffixes above.
bool IsTemporaryName(std::string_view name);

// Deletes the program's temporary files directly in `folder`; nothing else.
// Only one who holds the writer's turn of the folder may (see writer_turn.h).
void RemoveTemporaryFiles(const std::string& folder);

// The folder part of `path`, split by the ANSI code page's characters: "." for
// a bare name, "C:\\" for a file in a root.
std::string FolderOf(const std::string& path);

Status SetCurrentFolder(const std::string& folder);

// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// Whether `path` names an existing file, told apart from a failure to find out.
Status LookUpFile(const std::string& path, bool& exists);

// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

// True when `path` names an existing file with the read-only attribute.
bool IsReadOnly(const std::string& path);

// Fails when another program holds the existing file `path` open in a way
// that stops it being replaced or deleted now (without sharing its deletion).
Status CheckNotHeldOpen(const std::string& path);

// Fails, with the system's reason, when the existing file `path` cannot be
// opened for reading now.
Status CheckReadable(const std::string& path);

// True when both files can be read and hold the same bytes.
bool SameContent(const std::string& first, const std::string& second);

// Creates the folder `folder` if there is none of that name; `created` says
// whether this call made it.
Status CreateFolder(const std::string& folder, bool& created);

// Creates a folder no one used before: `base`, or when that name is taken
// "base (2)", "base (3)" and so on. `folder` receives the name it got.
Status CreateNewFolder(const std::string& base, std::string& folder);

// Removes `folder` if it is empty; a folder that still holds something stays.
void RemoveFolderIfEmpty(const std::string& folder);

// Copies `source`, with its time of last change, to the file `path`, which a
// leftover of the same name makes way for, and flushes it to the disk; on
// failure no file `path` is left.
Status CopyToNewFile(const std::string& source, const std::string& path);

// Writes `bytes` to the file `path` the same way.
Status WriteNewFile(const std::string& path, std::string_view bytes);

// Gives the bytes of `path` the second name `aside` (which must not exist), so
// that they stay when `path` is replaced or deleted: a hard link, or where the
// file system has none a flushed copy.
Status KeepAside(const std::string& path, const std::string& aside);

// Renames `from` over `to` (existing or not), written through. A rename or
// delete that another program's open handle refuses is tried again for about
// three quarters of a second before it fails.
Status RenameFile(const std::string& from, const std::string& to);

// Renames `from` to `to`, which must not exist, written through.
Status RenameToNewName(const std::string& from, const std::string& to);

// Deletes the file `path`, tried again the same way.
Status RemoveFile(const std::string& path);

// Copies `source` to `destination`, which must not exist, by way of the file
// `temporary`: the copy is flushed there and only then takes the
// destination's name. An existing destination is never overwritten.
Status CopyUnderNewName(const std::string& source, const std::string& destination,
                        const std::string& temporary);

// Writes `bytes` as the whole content of `path` the same way, renamed over
// it. On failure the old file is intact and no `temporary` is left.
Status ReplaceWithBytes(const std::string& path, std::string_view bytes,
                        const std::string& temporary);

// Reads the whole file into `bytes`, or its first `limit` bytes when it is longer.
Status ReadWholeFile(const std::string& path, std::string& bytes, size_t limit = SIZE_MAX);

}  // namespace platform
