// Copies of live files that a switch would otherwise destroy for good.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/status.h"

namespace game_files {

// The folder in the game folder that holds them, one folder per switch.
inline constexpr char kBackupFolder[] = "launcher backups";

// The backups of one switch (or of one save). A live file whose bytes are also in one of its
// prepared copies needs none; any other is copied, before it is touched, to
// "launcher backups\<date> <time>\" under its own name relative to the game
// folder, so that a copy goes back to the same place. The switch's folder is
// made for its first backup; a switch in the same second gets "… (2)".
class Backups {
 public:
  // `time` (local time) names the switch's folder.
  Backups(std::string gameFolder, const SYSTEMTIME& time);
  // Removes the folders made here that stayed empty because a backup failed.
  ~Backups();
  Backups(const Backups&) = delete;
  Backups& operator=(const Backups&) = delete;

  // To call before `liveName` (relative to the game folder) is replaced or
  // removed: keeps a flushed copy of it unless it is missing or one of its
  // prepared copies holds the same bytes. A failure names the live file.
  platform::Status KeepIfUnique(const std::string& liveName);

  // Keeps a flushed copy of the existing `liveName` whatever it holds;
  // `target` receives the copy's path.
  platform::Status Keep(const std::string& liveName, std::string& target);

 private:
  platform::Status Copy(const std::string& liveName, std::string& target);

  std::string gameFolder_, stamp_;
  std::string folder_;                // this switch's folder once made
  std::vector<std::string> created_;  // folders made here, in the order made
};

}  // namespace game_files
