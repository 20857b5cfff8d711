#include "app/activation_transaction.h"

#include <windows.h>

#include "platform/files.h"
#include "platform/listing.h"

namespace app {

void RemoveLeftovers(const std::string& folder) {
  const platform::Listing listing =
      platform::ListNames(folder + "\\*.launcher-*.tmp", platform::ListFilter::kAllFiles);
  // The pattern is matched loosely by some systems: the ends are checked here.
  for (const std::string& name : listing.names) {
    if (name.ends_with(kStagedSuffix) || name.ends_with(kAsideSuffix)) {
      DeleteFileA((folder + "\\" + name).c_str());
    }
  }
}

SwitchTransaction::SwitchTransaction(AfterChange afterChange)
    : afterChange_(std::move(afterChange)) {}

SwitchTransaction::~SwitchTransaction() {
  for (const Change& change : changes_) {
    if (!change.staged.empty()) DeleteFileA(change.staged.c_str());
    if (!change.aside.empty()) DeleteFileA(change.aside.c_str());
  }
}

platform::Status SwitchTransaction::StageReplace(const std::string& source,
                                                 const std::string& live) {
  return Stage({live, live + kStagedSuffix, "", false}, source);
}

platform::Status SwitchTransaction::StageRemove(const std::string& live) {
  return Stage({live, "", "", false}, "");
}

platform::Status SwitchTransaction::Stage(Change change, const std::string& source) {
  // Names left by a killed switch make way; each name is recorded before its
  // file is made, so that the destructor removes it whatever happens next.
  const std::string aside = change.live + kAsideSuffix;
  DeleteFileA(aside.c_str());
  if (!change.staged.empty()) DeleteFileA(change.staged.c_str());
  changes_.push_back(change);
  if (!source.empty()) {
    platform::Status written = platform::WriteCopy(source, change.staged);
    if (!written.ok()) return written;
  }
  if (!platform::FileExists(change.live)) return platform::Status::Ok();
  changes_.back().aside = aside;
  platform::Status kept = platform::KeepAside(change.live, aside);
  if (kept.ok()) return kept;
  return platform::Status::Failed(
      "Could not keep the old " + platform::Quoted(change.live) + " as " + platform::Quoted(aside),
      kept.code());
}

platform::Status SwitchTransaction::Undo(Change& change) {
  platform::Status undone = change.aside.empty() ? platform::RemoveFile(change.live)
                                                 : platform::RenameFile(change.aside, change.live);
  if (!undone.ok()) return undone;
  change.aside.clear();
  change.done = false;
  return undone;
}

SwitchTransaction::Outcome SwitchTransaction::Commit() {
  Outcome outcome;
  for (Change& change : changes_) {
    outcome.failure = change.staged.empty() ? platform::RemoveFile(change.live)
                                            : platform::RenameFile(change.staged, change.live);
    if (!outcome.failure.ok()) break;
    change.staged.clear();
    change.done = true;
    if (afterChange_) afterChange_(change.live);
  }
  if (!outcome.failure.ok()) {
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
      if (!change->done) continue;
      platform::Status undone = Undo(*change);
      if (!undone.ok() && outcome.undoFailure.ok()) outcome.undoFailure = undone;
    }
  }
  for (const Change& change : changes_) {
    if (change.done && !outcome.failure.ok()) outcome.changed.push_back(change.live);
  }
  return outcome;
}

}  // namespace app
