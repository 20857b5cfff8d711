#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <functional>

#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/listing.h"
#include "platform/path.h"
#include "platform/text.h"

namespace platform {
namespace {

// Another program may hold a file open for a moment (a virus scanner, an
// indexer, the game reading it), which makes renaming or deleting it fail with
// access denied or a sharing violation: `attempt` is tried again for about
// three quarters of a second before the failure is reported.
template <typename Attempt>
bool Retried(Attempt attempt) {
  constexpr int kRetries = 10;
  DWORD pause = 1;
  for (int tried = 0;; ++tried) {
    if (attempt()) return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || tried == kRetries) {
      SetLastError(error);
      return false;
    }
    Sleep(pause);
    pause = std::min<DWORD>(pause * 2, 250);
  }
}

// Renames `from` to `to`, over an existing `to` only with `replace`; the
// rename is written through.
bool Rename(const std::string& from, const std::string& to, bool replace) {
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  return Retried([&] { return Files().Move(from, to, flags); });
}

constexpr DWORD kChunk = 1 << 20;

// Writes all of `bytes` to `file`; false with the system's error otherwise.
bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!Files().Write(file, bytes.data(),
                       static_cast<DWORD>(std::min<size_t>(bytes.size(), kChunk)), written) ||
        written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// Reads `file` from where it stands to its end, or `limit` bytes, in chunks
// handed to `take`; false with the system's error otherwise. `expected`, the
// size the file is thought to have, keeps the buffer of a small file small.
bool ReadChunks(HANDLE file, size_t limit, size_t expected,
                const std::function<bool(std::string_view)>& take) {
  const size_t wantedChunk = std::min<size_t>({kChunk, limit, expected + 1});
  std::string chunk(std::max<size_t>(wantedChunk, 1), '\0');
  while (limit > 0) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(chunk.size(), limit));
    if (!Files().Read(file, chunk.data(), wanted, read)) return false;
    if (read == 0) break;
    if (!take(std::string_view(chunk.data(), read))) return false;
    limit -= read;
  }
  return true;
}

UniqueHandle OpenForReading(const std::string& path) {
  return Files().Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

// A new file `path`, which a leftover of the same name makes way for (deleted,
// never truncated: a leftover may be a second name of a live file's bytes),
// filled by `fill` and flushed. On failure no file `path` is left.
Status WriteFlushed(const std::string& path, const std::string& failed,
                    const std::function<bool(HANDLE)>& fill) {
  Files().Delete(path);
  UniqueHandle file = Files().Open(path, GENERIC_WRITE, 0, CREATE_NEW);
  if (!file) return Status::LastError(failed);
  if (fill(file.get()) && Files().Flush(file.get())) return Status::Ok();
  const DWORD error = GetLastError();
  file.reset();
  Files().Delete(path);
  return Status::Failed(failed, error);
}

// Gives the flushed file `temporary` the name `destination`, over an existing
// file only with `replace`; removes it on failure.
Status Publish(const std::string& temporary, const std::string& destination, bool replace) {
  if (Rename(temporary, destination, replace)) return Status::Ok();
  const DWORD error = GetLastError();
  Files().Delete(temporary);
  return Status::Failed(
      std::string(replace ? "Could not replace " : "Could not create ") + Quoted(destination),
      error);
}

}  // namespace

bool IsTemporaryName(std::string_view name) {
  for (const char* suffix : {kStagedSuffix, kAsideSuffix, kSavingSuffix, kBackingUpSuffix}) {
    if (name.ends_with(suffix)) return true;
  }
  return false;
}

void RemoveTemporaryFiles(const std::string& folder) {
  // The pattern is matched loosely by some systems: the ends are checked too.
  const Listing listing = ListNames(folder + "\\" + kTemporaryPattern, ListFilter::kAllFiles);
  for (const std::string& name : listing.names) {
    if (IsTemporaryName(name)) Files().Delete(folder + "\\" + name);
  }
}

std::string FolderOf(const std::string& path) {
  return FolderOf(std::string_view(path), AnsiLeadByte);
}

Status SetCurrentFolder(const std::string& folder) {
  if (!Files().EnterFolder(folder)) {
    return Status::LastError("Could not open the folder " + Quoted(folder));
  }
  return Status::Ok();
}

bool FileExists(const std::string& path) {
  DWORD attributes = Files().Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Status LookUpFile(const std::string& path, bool& exists) {
  const DWORD attributes = Files().Attributes(path);
  exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (attributes != INVALID_FILE_ATTRIBUTES || GetLastError() == ERROR_FILE_NOT_FOUND ||
      GetLastError() == ERROR_PATH_NOT_FOUND) {
    return Status::Ok();
  }
  return Status::LastError("Could not look up " + Quoted(path));
}

bool FolderExists(const std::string& path) {
  DWORD attributes = Files().Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReadOnly(const std::string& path) {
  DWORD attributes = Files().Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

Status CheckNotHeldOpen(const std::string& path) {
  // Opening for deletion while sharing everything fails exactly when another
  // handle does not share deletion, which a rename over the file needs.
  if (Files().Open(path, DELETE, kShareAll, OPEN_EXISTING) ||
      GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) {
    return Status::Ok();
  }
  return Status::LastError("Could not replace " + Quoted(path));
}

Status CheckReadable(const std::string& path) {
  if (OpenForReading(path)) return Status::Ok();
  return Status::LastError("Could not read " + Quoted(path));
}

bool SameContent(const std::string& first, const std::string& second) {
  UniqueHandle files[] = {OpenForReading(first), OpenForReading(second)};
  LARGE_INTEGER sizes[2] = {};
  for (int i = 0; i < 2; ++i) {
    if (!files[i] || !Files().Size(files[i].get(), sizes[i])) return false;
  }
  if (sizes[0].QuadPart != sizes[1].QuadPart) return false;
  // The second file is read chunk for chunk beside the first.
  std::string other;
  const size_t size = static_cast<size_t>(sizes[0].QuadPart);
  return ReadChunks(files[0].get(), SIZE_MAX, size, [&](std::string_view chunk) {
    other.resize(chunk.size());
    DWORD read = 0;
    return Files().Read(files[1].get(), other.data(), static_cast<DWORD>(chunk.size()), read) &&
           read == chunk.size() && chunk == other;
  });
}

Status CreateFolder(const std::string& folder, bool& created) {
  created = Files().MakeFolder(folder);
  if (created) return Status::Ok();
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS && FolderExists(folder)) return Status::Ok();
  return Status::Failed("Could not create the folder " + Quoted(folder), error);
}

Status CreateNewFolder(const std::string& base, std::string& folder) {
  for (int number = 1;; ++number) {
    folder = number == 1 ? base : base + " (" + std::to_string(number) + ")";
    if (Files().MakeFolder(folder)) return Status::Ok();
    // A name always taken must not keep this loop going for ever.
    if (GetLastError() != ERROR_ALREADY_EXISTS || number == 9999) {
      return Status::LastError("Could not create the folder " + Quoted(folder));
    }
  }
}

void RemoveFolderIfEmpty(const std::string& folder) { Files().RemoveFolder(folder); }

Status CopyToNewFile(const std::string& source, const std::string& path) {
  return WriteFlushed(
      path, "Could not copy " + Quoted(source) + " to " + Quoted(path), [&](HANDLE file) {
        // The bytes, then the time of last change, as CopyFile copies them.
        UniqueHandle from = OpenForReading(source);
        FILETIME changed{};
        LARGE_INTEGER size{};
        return from && Files().Size(from.get(), size) &&
               ReadChunks(from.get(), SIZE_MAX, static_cast<size_t>(size.QuadPart),
                          [&](std::string_view chunk) { return WriteAll(file, chunk); }) &&
               Files().GetChangeTime(from.get(), changed) && Files().SetChangeTime(file, changed);
      });
}

Status WriteNewFile(const std::string& path, std::string_view bytes) {
  return WriteFlushed(path, "Could not write " + Quoted(path),
                      [&](HANDLE file) { return WriteAll(file, bytes); });
}

Status KeepAside(const std::string& path, const std::string& aside) {
  // A second name for the same bytes costs nothing; a file system without
  // links (FAT32) gets a copy.
  if (Files().Link(aside, path)) return Status::Ok();
  return CopyToNewFile(path, aside);
}

Status RenameFile(const std::string& from, const std::string& to) {
  if (Rename(from, to, true)) return Status::Ok();
  return Status::LastError("Could not replace " + Quoted(to));
}

Status RenameToNewName(const std::string& from, const std::string& to) {
  if (Rename(from, to, false)) return Status::Ok();
  return Status::LastError("Could not create " + Quoted(to));
}

Status RemoveFile(const std::string& path) {
  if (Retried([&] { return Files().Delete(path); })) return Status::Ok();
  return Status::LastError("Could not delete " + Quoted(path));
}

Status CopyUnderNewName(const std::string& source, const std::string& destination,
                        const std::string& temporary) {
  Status copied = CopyToNewFile(source, temporary);
  return copied.ok() ? Publish(temporary, destination, false) : copied;
}

Status ReplaceWithBytes(const std::string& path, std::string_view bytes,
                        const std::string& temporary) {
  Status written = WriteNewFile(temporary, bytes);
  if (!written.ok()) return Status::Failed("Could not write " + Quoted(path), written.code());
  return Publish(temporary, path, true);
}

Status ReadWholeFile(const std::string& path, std::string& bytes, size_t limit) {
  bytes.clear();
  UniqueHandle file = OpenForReading(path);
  if (!file) return Status::LastError("Could not open " + Quoted(path));
  LARGE_INTEGER size{};
  if (!Files().Size(file.get(), size)) return Status::LastError("Could not read " + Quoted(path));
  const size_t expected = static_cast<size_t>(std::min<ULONGLONG>(size.QuadPart, limit));
  bytes.reserve(expected);
  if (!ReadChunks(file.get(), limit, expected, [&](std::string_view chunk) {
        bytes += chunk;
        return true;
      })) {
    return Status::LastError("Could not read " + Quoted(path));
  }
  return Status::Ok();
}

}  // namespace platform
