#include "game_files/switch_transaction.h"

#include <windows.h>

#include <span>

#include "game_files/profiles.h"
#include "platform/files.h"
#include "platform/listing.h"

namespace game_files {
namespace {

std::string Below(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

// Puts each live file of `entries` back as it was before the switch, the last
// first: the old bytes renamed back over it, or, where there was none, the
// live file deleted. An entry already put back (no old bytes left beside it,
// or no live file) is passed over, so running it again ends the same. With
// `unsure` (the entries may not all have changed), a live file that holds its
// old bytes is left as it is.
// Returns the first failure; `failed` gets each live file not put back.
platform::Status RollBack(const std::string& gameFolder, std::span<const JournalEntry> entries,
                          bool unsure, std::vector<std::string>* failed = nullptr) {
  platform::Status first;
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    const std::string live = Below(gameFolder, entry->live);
    const std::string aside = live + platform::kAsideSuffix;
    if (unsure && entry->hadOld && platform::SameContent(aside, live)) continue;
    platform::Status undone =
        entry->hadOld ? platform::RenameFile(aside, live) : platform::RemoveFile(live);
    if (undone.ok() || undone.notFound()) continue;
    if (first.ok()) first = undone;
    if (failed) failed->push_back(live);
  }
  return first;
}

// Removes the staged and the old bytes kept beside each live file.
void RemoveKeptFiles(const std::string& gameFolder, const std::vector<JournalEntry>& entries) {
  for (const JournalEntry& entry : entries) {
    const std::string live = Below(gameFolder, entry.live);
    platform::RemoveFile(live + platform::kStagedSuffix);
    if (entry.hadOld) platform::RemoveFile(live + platform::kAsideSuffix);
  }
}

// The folders the program's temporary files may be in: the game folder and its waypoint folder.
std::vector<std::string> TemporaryFolders(const std::string& gameFolder) {
  return {gameFolder, Below(gameFolder, kWaypointFolder)};
}

}  // namespace

bool HasTemporaryFiles(const std::string& gameFolder) {
  for (const std::string& folder : TemporaryFolders(gameFolder)) {
    if (platform::AnyMatch(Below(folder, platform::kTemporaryPattern),
                           platform::ListFilter::kAllFiles)) {
      return true;
    }
  }
  return false;
}

SwitchTransaction::SwitchTransaction(std::string gameFolder) : gameFolder_(std::move(gameFolder)) {}

SwitchTransaction::~SwitchTransaction() {
  if (!keep_) RemoveKeptFiles(gameFolder_, entries_);
}

platform::Status SwitchTransaction::Stage(const LiveChange& change) {
  // Each change is recorded before its files are made, so that the destructor
  // removes them whatever happens next.
  changes_.push_back(change);
  entries_.push_back({change.live, false});
  const std::string live = Below(gameFolder_, change.live);
  if (!change.source.empty()) {
    platform::Status written =
        platform::CopyToNewFile(Below(gameFolder_, change.source), live + platform::kStagedSuffix);
    if (!written.ok()) return written;
  }
  bool exists = false;
  platform::Status found = platform::LookUpFile(live, exists);
  if (!found.ok() || !exists) return found;
  entries_.back().hadOld = true;
  const std::string aside = live + platform::kAsideSuffix;
  platform::Status kept = platform::KeepAside(live, aside);
  if (kept.ok()) return kept;
  return platform::Status::Failed(
      "Could not keep the old " + platform::Quoted(live) + " as " + platform::Quoted(aside),
      kept.code());
}

SwitchTransaction::Outcome SwitchTransaction::Commit() {
  Outcome outcome;
  const std::string journal = Below(gameFolder_, kJournalName);
  outcome.failure = platform::WriteNewFile(journal, FormatJournal(entries_));
  if (!outcome.failure.ok()) return outcome;
  // From here on a launcher that finds the journal puts the old bytes back.
  keep_ = true;
  size_t done = 0;
  for (const LiveChange& change : changes_) {
    const std::string live = Below(gameFolder_, change.live);
    outcome.failure = change.source.empty()
                          ? platform::RemoveFile(live)
                          : platform::RenameFile(live + platform::kStagedSuffix, live);
    if (!outcome.failure.ok()) break;
    ++done;
  }
  // The switch has ended once its journal is gone; a journal that cannot go
  // would undo it later, so then it is undone now.
  bool journalGone = false;
  if (outcome.failure.ok()) {
    outcome.failure = platform::RemoveFile(journal);
    journalGone = outcome.failure.ok();
  }
  if (!outcome.failure.ok()) {
    outcome.undoFailure =
        RollBack(gameFolder_, std::span(entries_).first(done), false, &outcome.changed);
    if (outcome.undoFailure.ok()) journalGone = platform::RemoveFile(journal).ok();
  }
  keep_ = !journalGone;
  return outcome;
}

CutShortSwitch PutBackCutShortSwitch(const std::string& gameFolder) {
  CutShortSwitch cutShort;
  const std::string journal = Below(gameFolder, kJournalName);
  std::string text;
  const platform::Status read = platform::ReadWholeFile(journal, text);
  if (!read.ok() && !read.notFound()) {
    cutShort.found = true;
    cutShort.failure = read;
    return cutShort;
  }
  if (read.ok()) {
    // A whole journal is played back; one cut short while it was written (no live file had
    // changed yet) simply goes.
    if (const auto entries = ParseJournal(text)) {
      cutShort.found = true;
      for (const JournalEntry& entry : *entries) {
        cutShort.files.push_back(Below(gameFolder, entry.live));
      }
      cutShort.failure = RollBack(gameFolder, *entries, true);
      if (!cutShort.failure.ok()) return cutShort;
    }
    cutShort.failure = platform::RemoveFile(journal);
    if (!cutShort.failure.ok()) return cutShort;
  }
  for (const std::string& folder : TemporaryFolders(gameFolder)) {
    platform::RemoveTemporaryFiles(folder);
  }
  return cutShort;
}

}  // namespace game_files
