#include "game_files/backups.h"

#include <algorithm>
#include <cstdio>

#include "game_files/profiles.h"
#include "platform/files.h"
#include "platform/text.h"

namespace game_files {

Backups::Backups(std::string gameFolder, const SYSTEMTIME& time)
    : gameFolder_(std::move(gameFolder)) {
  // Date first, so that the folders sort by time; no ':' in a file name.
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u.%02u.%02u", time.wYear, time.wMonth,
                time.wDay, time.wHour, time.wMinute, time.wSecond);
  stamp_ = stamp;
}

Backups::~Backups() {
  // Removing a folder fails unless it is empty: no backup is ever lost here.
  for (auto folder = created_.rbegin(); folder != created_.rend(); ++folder) {
    platform::RemoveFolderIfEmpty(*folder);
  }
}

platform::Status Backups::KeepIfUnique(const std::string& liveName) {
  const std::string live = gameFolder_ + "\\" + liveName;
  bool exists = false;
  platform::Status found = platform::LookUpFile(live, exists);
  if (!found.ok() || !exists) return found;
  const std::vector<std::string> copies = PreparedCopiesOf(liveName, platform::AnsiLeadByte);
  if (std::any_of(copies.begin(), copies.end(), [&](const std::string& copy) {
        return platform::SameContent(live, gameFolder_ + "\\" + copy);
      })) {
    return platform::Status::Ok();
  }
  std::string target;
  return Keep(liveName, target);
}

platform::Status Backups::Keep(const std::string& liveName, std::string& target) {
  target = gameFolder_ + "\\" + kBackupFolder;
  platform::Status kept = Copy(liveName, target);
  if (kept.ok()) return kept;
  return platform::Status::Failed("Could not back up " +
                                      platform::Quoted(gameFolder_ + "\\" + liveName) + " to " +
                                      platform::Quoted(target),
                                  kept.code());
}

// `target` holds the backup's path, or as much of it as was known on failure.
platform::Status Backups::Copy(const std::string& liveName, std::string& target) {
  bool created = false;
  if (folder_.empty()) {
    platform::Status made = platform::CreateFolder(target, created);
    if (created) created_.push_back(target);
    std::string folder;
    if (made.ok()) made = platform::CreateNewFolder(target + "\\" + stamp_, folder);
    if (!made.ok()) return made;
    folder_ = folder;
    created_.push_back(folder_);
  }
  target = folder_;
  // The live name's folders, outermost first, split by characters: a listed
  // waypoint's name may hold a character whose second byte is '\\'.
  std::vector<std::string> folders;
  for (std::string folder = platform::FolderOf(liveName); folder != ".";
       folder = platform::FolderOf(folder)) {
    folders.insert(folders.begin(), folder);
  }
  for (const std::string& folder : folders) {
    target = folder_ + "\\" + folder;
    platform::Status made = platform::CreateFolder(target, created);
    if (created) created_.push_back(target);
    if (!made.ok()) return made;
  }
  target = folder_ + "\\" + liveName;
  // The copy is made beside the live file, where the next launcher to work in
  // the game folder removes it if this one is killed, and then moved in.
  const std::string live = gameFolder_ + "\\" + liveName;
  return platform::CopyUnderNewName(live, target, live + platform::kBackingUpSuffix);
}

}  // namespace game_files
