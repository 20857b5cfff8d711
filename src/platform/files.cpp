#include "platform/files.h"

#include <windows.h>

#include <algorithm>

#include "platform/handles.h"
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
  return Retried([&] { return MoveFileExA(from.c_str(), to.c_str(), flags) != 0; });
}

// A new file beside `destination` that takes its name only with its bytes on
// the disk. Every writer writes through the handle it holds, and MoveTo
// flushes that handle (FlushFileBuffers) and closes it before the rename,
// which is written through: Windows may otherwise write the rename before the
// cached bytes, and a power cut would leave the name on a file of zeros. The
// file is removed again unless it was renamed.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string destination) : destination_(std::move(destination)) {
    char name[MAX_PATH] = {};
    if (!GetTempFileNameA(FolderOf(destination_).c_str(), "new", 0, name)) {
      error_ = GetLastError();
      return;
    }
    name_ = name;
    file_ = AdoptHandle(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) error_ = GetLastError();
  }
  ~TemporaryFile() {
    file_.reset();
    if (!name_.empty()) DeleteFileA(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Ok once the file is made and open; `openFailed` names the failure when it
  // was made but could not be opened.
  Status Opened(std::string openFailed) const {
    if (name_.empty()) {
      return Status::Failed(
          "Could not create a file in the folder " + Quoted(FolderOf(destination_)), error_);
    }
    return file_ ? Status::Ok() : Status::Failed(std::move(openFailed), error_);
  }
  HANDLE handle() const { return file_.get(); }

  // Flushes and closes the file, then renames it to the destination, over an
  // existing file only with `replace`.
  Status MoveTo(bool replace) {
    const bool flushed = FlushFileBuffers(file_.get());
    const DWORD error = GetLastError();
    file_.reset();
    if (!flushed) return Status::Failed("Could not write " + Quoted(destination_), error);
    if (!Rename(name_, destination_, replace)) {
      return Status::LastError(std::string(replace ? "Could not replace " : "Could not create ") +
                               Quoted(destination_));
    }
    name_.clear();
    return Status::Ok();
  }

 private:
  std::string destination_, name_;
  UniqueHandle file_;
  DWORD error_ = 0;
};

constexpr DWORD kChunk = 1 << 20;

// Writes all of `bytes` to `file`; false with the system's error otherwise.
bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(std::min<size_t>(bytes.size(), kChunk)),
                   &written, nullptr) ||
        written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// Writes `bytes` to a new file beside `path` and gives it the name `path`,
// over an existing file only with `replace`.
Status WriteThrough(const std::string& path, std::string_view bytes, bool replace) {
  TemporaryFile temporary(path);
  Status opened = temporary.Opened("Could not write " + Quoted(path));
  if (!opened.ok()) return opened;
  if (!WriteAll(temporary.handle(), bytes)) {
    return Status::LastError("Could not write " + Quoted(path));
  }
  return temporary.MoveTo(replace);
}

UniqueHandle OpenForReading(const std::string& path) {
  return AdoptHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Copies the bytes of `source` to `file`, and its time of last change, as
// CopyFile does; false with the system's error otherwise.
bool CopyInto(HANDLE file, const std::string& source) {
  UniqueHandle from = OpenForReading(source);
  if (!from) return false;
  std::string chunk(kChunk, '\0');
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(from.get(), chunk.data(), kChunk, &read, nullptr)) return false;
    if (read == 0) break;
    if (!WriteAll(file, std::string_view(chunk.data(), read))) return false;
  }
  FILETIME changed{};
  return GetFileTime(from.get(), nullptr, nullptr, &changed) &&
         SetFileTime(file, nullptr, nullptr, &changed);
}

}  // namespace

std::string FolderOf(const std::string& path) {
  return FolderOf(std::string_view(path), AnsiLeadByte);
}

Status SetCurrentFolder(const std::string& folder) {
  if (!SetCurrentDirectoryA(folder.c_str())) {
    return Status::LastError("Could not open the folder " + Quoted(folder));
  }
  return Status::Ok();
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameContent(const std::string& first, const std::string& second) {
  UniqueHandle files[] = {OpenForReading(first), OpenForReading(second)};
  LARGE_INTEGER sizes[2] = {};
  for (int i = 0; i < 2; ++i) {
    if (!files[i] || !GetFileSizeEx(files[i].get(), &sizes[i])) return false;
  }
  if (sizes[0].QuadPart != sizes[1].QuadPart) return false;
  constexpr DWORD kChunk = 64 << 10;
  std::string chunks[2] = {std::string(kChunk, '\0'), std::string(kChunk, '\0')};
  for (;;) {
    DWORD read[2] = {};
    for (int i = 0; i < 2; ++i) {
      if (!ReadFile(files[i].get(), chunks[i].data(), kChunk, &read[i], nullptr)) return false;
    }
    if (read[0] != read[1] || chunks[0].compare(0, read[0], chunks[1], 0, read[1]) != 0) {
      return false;
    }
    if (read[0] == 0) return true;
  }
}

Status CreateFolder(const std::string& folder, bool& created) {
  created = CreateDirectoryA(folder.c_str(), nullptr);
  if (created) return Status::Ok();
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return Status::Ok();
  }
  return Status::Failed("Could not create the folder " + Quoted(folder), error);
}

Status CreateNewFolder(const std::string& base, std::string& folder) {
  for (int number = 1;; ++number) {
    folder = number == 1 ? base : base + " (" + std::to_string(number) + ")";
    if (CreateDirectoryA(folder.c_str(), nullptr)) return Status::Ok();
    // A name always taken must not keep this loop going for ever.
    if (GetLastError() != ERROR_ALREADY_EXISTS || number == 9999) {
      return Status::LastError("Could not create the folder " + Quoted(folder));
    }
  }
}

Status WriteCopy(const std::string& source, const std::string& path) {
  const std::string copyFailed = "Could not copy " + Quoted(source) + " to " + Quoted(path);
  UniqueHandle file = AdoptHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return Status::LastError(copyFailed);
  if (CopyInto(file.get(), source) && FlushFileBuffers(file.get())) return Status::Ok();
  const DWORD error = GetLastError();
  file.reset();
  DeleteFileA(path.c_str());
  return Status::Failed(copyFailed, error);
}

Status KeepAside(const std::string& path, const std::string& aside) {
  // A second name for the same bytes costs nothing; a file system without
  // links (FAT32) gets a copy.
  if (CreateHardLinkA(aside.c_str(), path.c_str(), nullptr)) return Status::Ok();
  return WriteCopy(path, aside);
}

Status RenameFile(const std::string& from, const std::string& to) {
  if (Rename(from, to, true)) return Status::Ok();
  return Status::LastError("Could not replace " + Quoted(to));
}

Status RemoveFile(const std::string& path) {
  if (Retried([&] { return DeleteFileA(path.c_str()) != 0; })) return Status::Ok();
  return Status::LastError("Could not delete " + Quoted(path));
}

Status WriteFileAtomic(const std::string& path, std::string_view bytes) {
  return WriteThrough(path, bytes, true);
}

Status CopyToNewFile(const std::string& source, const std::string& destination) {
  std::string bytes;
  Status read = ReadWholeFile(source, bytes);
  if (!read.ok()) return read;
  return WriteThrough(destination, bytes, false);
}

Status ReadWholeFile(const std::string& path, std::string& bytes, size_t limit) {
  bytes.clear();
  UniqueHandle file = OpenForReading(path);
  if (!file) return Status::LastError("Could not open " + Quoted(path));
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return Status::LastError("Could not read " + Quoted(path));
  bytes.resize(static_cast<size_t>(std::min<ULONGLONG>(size.QuadPart, limit)));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) {
      return Status::LastError("Could not read " + Quoted(path));
    }
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return Status::Ok();
}

}  // namespace platform
