#include "game_files/profile_switch.h"

#include <windows.h>

#include "game_files/backups.h"
#include "game_files/near_misses.h"
#include "game_files/running_game.h"
#include "game_files/switch_transaction.h"
#include "platform/files.h"
#include "platform/listing.h"
#include "platform/path.h"
#include "platform/text.h"

namespace game_files {
namespace {

SwitchOutcome Failed(SwitchResult result, platform::Status error = {}) {
  SwitchOutcome outcome;
  outcome.result = result;
  outcome.error = std::move(error);
  return outcome;
}

// The names beside `path` that differ from its name only by a hidden extension.
std::vector<std::string> NearMissesOf(const std::string& path) {
  const size_t separator = platform::LastSeparator(path, platform::AnsiLeadByte);
  if (separator == std::string::npos) return {};
  const platform::Listing listing =
      platform::ListNames(path.substr(0, separator) + "\\*", platform::ListFilter::kAllFiles);
  return NearMisses(path.substr(separator + 1), listing.names);
}

// Each prepared copy is missing (no file of that name), unreadable (the
// system refuses to read it) or ready; the outcome's result says whether any
// stops the switch.
void CheckSources(const std::vector<LiveChange>& changes, const std::string& gameFolder,
                  SwitchOutcome& outcome) {
  for (const LiveChange& change : changes) {
    if (change.source.empty()) continue;
    const std::string path = gameFolder + "\\" + change.source;
    bool exists = false;
    platform::Status readable = platform::LookUpFile(path, exists);
    if (readable.ok() && !exists) {
      outcome.missing.push_back({path, NearMissesOf(path)});
      continue;
    }
    if (readable.ok()) readable = platform::CheckReadable(path);
    if (!readable.ok()) outcome.unreadable.push_back({path, readable.code()});
  }
  if (!outcome.missing.empty()) {
    outcome.result = SwitchResult::kSourcesMissing;
  } else if (!outcome.unreadable.empty()) {
    outcome.result = SwitchResult::kSourcesUnreadable;
  }
}

// The names in the waypoint folder, for a profile with a waypoint set.
platform::Status ListWaypoints(const Profile& profile, const std::string& gameFolder,
                               std::vector<std::string>& names) {
  if (profile.waypoints.empty()) return platform::Status::Ok();
  platform::Listing listing =
      platform::ListNames(gameFolder + "\\" + kWaypointPattern, platform::ListFilter::kAllFiles);
  names = std::move(listing.names);
  return listing.status;
}

// Windows refuses to replace or delete a read-only file, or one another
// program holds open without sharing its deletion; only the player may clear
// an attribute the player set.
void CheckLiveFiles(const std::vector<LiveChange>& changes, const std::string& gameFolder,
                    SwitchOutcome& outcome) {
  for (const LiveChange& change : changes) {
    const std::string path = gameFolder + "\\" + change.live;
    if (platform::IsReadOnly(path)) outcome.readOnly.push_back(path);
  }
  if (!outcome.readOnly.empty()) {
    outcome.result = SwitchResult::kReadOnly;
    return;
  }
  for (const LiveChange& change : changes) {
    const std::string path = gameFolder + "\\" + change.live;
    const platform::Status free = platform::CheckNotHeldOpen(path);
    if (!free.ok()) outcome.heldOpen.push_back({path, free.code()});
  }
  if (!outcome.heldOpen.empty()) outcome.result = SwitchResult::kHeldOpen;
}

// Backs up, stages and commits the changes. The staged and old files are gone
// when it returns.
SwitchOutcome Switch(const std::vector<LiveChange>& changes, const std::string& gameFolder,
                     const SwitchOptions& options) {
  SYSTEMTIME time = options.time.value_or(SYSTEMTIME{});
  if (!options.time) GetLocalTime(&time);
  Backups backups(gameFolder, time);
  SwitchTransaction transaction(gameFolder);
  for (const LiveChange& change : changes) {
    platform::Status staged = backups.KeepIfUnique(change.live);
    if (staged.ok()) staged = transaction.Stage(change);
    if (!staged.ok()) return Failed(SwitchResult::kNotChanged, staged);
  }
  const SwitchTransaction::Outcome committed = transaction.Commit();
  if (committed.failure.ok()) return {};
  SwitchOutcome outcome = Failed(SwitchResult::kNotChanged, committed.failure);
  if (committed.changed.empty()) return outcome;
  outcome.result = SwitchResult::kLeftHalfway;
  outcome.undoError = committed.undoFailure;
  for (const std::string& path : committed.changed) {
    (platform::FileExists(path) ? outcome.fresh : outcome.removed).push_back(path);
  }
  return outcome;
}

SwitchOutcome SwitchIn(const Profile& profile, const std::string& gameFolder,
                       const PutBackReport& report, const SwitchOptions& options) {
  if (GameRunsFrom(platform::FolderOf(gameFolder))) return Failed(SwitchResult::kGameRunning);
  platform::Status entered = platform::SetCurrentFolder(gameFolder);
  if (!entered.ok()) return Failed(SwitchResult::kFolderUnusable, entered);

  // One writer at a time in the folder; what a switch cut short left is put back first.
  const FolderTurn turn(gameFolder, report);
  if (turn.failure() == TurnFailure::kBusy) return Failed(SwitchResult::kTurnBusy, turn.error());
  if (!turn.held()) return Failed(SwitchResult::kPutBackFailed, turn.error());

  std::vector<std::string> waypoints;
  platform::Status listed = ListWaypoints(profile, gameFolder, waypoints);
  if (!listed.ok()) return Failed(SwitchResult::kListingFailed, listed);
  const std::vector<LiveChange> changes = PlanActivation(profile, waypoints);
  SwitchOutcome checked;
  CheckSources(changes, gameFolder, checked);
  if (checked.result == SwitchResult::kSwitched) CheckLiveFiles(changes, gameFolder, checked);
  if (checked.result != SwitchResult::kSwitched) return checked;
  return Switch(changes, gameFolder, options);
}

}  // namespace

SwitchOutcome SwitchProfile(const Profile& profile, const std::string& gameFolder,
                            const PutBackReport& report, const SwitchOptions& options) {
  SwitchOutcome outcome = SwitchIn(profile, gameFolder, report, options);
  outcome.folder = gameFolder;
  return outcome;
}

}  // namespace game_files
