#include "game_files/cycle_save.h"

#include "game_files/backups.h"
#include "platform/files.h"

namespace game_files {
namespace {

// Keeps the file at `path` in a backup when it is not `opened`; `kept`
// receives the backup's path.
platform::Status KeepChangedFile(const std::string& path, const std::optional<std::string>& opened,
                                 const SYSTEMTIME& time, std::string& kept) {
  std::string onDisk;
  const platform::Status read = platform::ReadWholeFile(path, onDisk);
  if (read.notFound()) return platform::Status::Ok();
  if (!read.ok() || opened == onDisk) return read;
  const std::string folder = platform::FolderOf(path);
  Backups backups(folder, time);
  return backups.Keep(path.substr(folder.size() + 1), kept);
}

}  // namespace

SaveOutcome SaveCycleFile(const std::string& path, const std::string& bytes,
                          const std::optional<std::string>& opened, const PutBackReport& report,
                          std::optional<SYSTEMTIME> time) {
  SaveOutcome outcome;
  const FolderTurn turn(platform::FolderOf(path), report);
  if (!turn.held()) {
    outcome.turnFailure = turn.failure();
    outcome.error = turn.error();
    return outcome;
  }
  SYSTEMTIME now{};
  if (time)
    now = *time;
  else
    GetLocalTime(&now);
  std::string kept;
  outcome.error = KeepChangedFile(path, opened, now, kept);
  if (outcome.error.ok()) {
    outcome.error = platform::ReplaceWithBytes(path, bytes, path + platform::kSavingSuffix);
  }
  if (outcome.error.ok()) outcome.keptChanged = kept;
  return outcome;
}

}  // namespace game_files
