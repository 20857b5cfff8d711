#include "platform/listing.h"

#include <windows.h>

#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/path.h"
#include "platform/text.h"

namespace platform {
namespace {

// The name after the folder, split by characters ("C:name" has the folder "C:").
std::string LastComponent(const std::string& path) {
  size_t slash = LastSeparator(path, AnsiLeadByte);
  if (slash == std::string::npos && path.size() >= 2 && path[1] == ':' &&
      !AnsiLeadByte(static_cast<unsigned char>(path[0]))) {
    slash = 1;
  }
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Admits(const WIN32_FIND_DATAA& entry, ListFilter filter) {
  DWORD attributes = entry.dwFileAttributes;
  if (filter == ListFilter::kAllFiles) return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return false;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return filter == ListFilter::kFoldersAndOrdinaryFiles;
  return true;
}

bool MeansNothingMatches(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_NO_MORE_FILES;
}

// Calls `visit` for each admitted name until it returns false.
template <typename Visit>
Status Enumerate(const std::string& pattern, ListFilter filter, Visit visit) {
  WIN32_FIND_DATAA entry;
  UniqueFind find = Files().FindFirst(pattern, entry);
  if (!find) {
    DWORD error = GetLastError();
    if (MeansNothingMatches(error)) return Status::Ok();
    return Status::Failed("Could not list " + Quoted(pattern), error);
  }
  // The platform's own matching is looser than the pattern ("*." returns
  // every name), so each name is checked against the pattern again.
  const std::string namePattern = LastComponent(pattern);
  do {
    if (Admits(entry, filter) && MatchesPattern(entry.cFileName, namePattern)) {
      if (!visit(entry.cFileName)) return Status::Ok();
    }
  } while (Files().FindNext(find.get(), entry));
  DWORD error = GetLastError();
  if (error != ERROR_NO_MORE_FILES)
    return Status::Failed("Could not list " + Quoted(pattern), error);
  return Status::Ok();
}

}  // namespace

Listing ListNames(const std::string& pattern, ListFilter filter) {
  Listing listing;
  listing.status = Enumerate(pattern, filter, [&](const char* name) {
    listing.names.emplace_back(name);
    return true;
  });
  return listing;
}

bool AnyMatch(const std::string& pattern, ListFilter filter) {
  bool found = false;
  (void)Enumerate(pattern, filter, [&](const char*) {
    found = true;
    return false;
  });
  return found;
}

}  // namespace platform
