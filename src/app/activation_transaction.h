// The changes one switch makes to the live files, made all or not at all.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace app {

// The ends of the names of the files a switch keeps beside a live file while
// it works: its new bytes before they take the live name, its old bytes until
// the switch has ended. A switch that was killed can leave them behind.
inline constexpr char kStagedSuffix[] = ".launcher-new.tmp";
inline constexpr char kAsideSuffix[] = ".launcher-old.tmp";

// Deletes what a killed switch left in `folder` (names ending in one of the suffixes above).
void RemoveLeftovers(const std::string& folder);

// First every change is staged, which touches no live file: the new bytes are
// written and flushed beside the live name, and the old bytes get a second
// name beside it. Commit then puts the changes in place in the order staged,
// each live name always on a whole flushed file: a new file is renamed over
// the live one, a removed file is deleted. If one change fails, the changes
// already made are undone (the old bytes renamed back), so every live file is
// as it was. The staged and the old bytes are deleted at the end.
class SwitchTransaction {
 public:
  // Runs after each change Commit makes to a live file, with its path; tests
  // inject faults there.
  using AfterChange = std::function<void(const std::string& live)>;

  explicit SwitchTransaction(AfterChange afterChange = {});
  ~SwitchTransaction();
  SwitchTransaction(const SwitchTransaction&) = delete;
  SwitchTransaction& operator=(const SwitchTransaction&) = delete;

  // The live file `live` (existing or not) is to get a copy of `source`.
  platform::Status StageReplace(const std::string& source, const std::string& live);
  // The existing live file `live` is to go.
  platform::Status StageRemove(const std::string& live);

  struct Outcome {
    platform::Status failure;          // the change that failed, or ok
    platform::Status undoFailure;      // the first change that could not be undone, or ok
    std::vector<std::string> changed;  // live files left changed (none unless the undo failed)
  };
  Outcome Commit();

 private:
  struct Change {
    std::string live, staged, aside;  // staged empty: a removal; aside empty: no old file
    bool done = false;
  };
  platform::Status Stage(Change change, const std::string& source);
  platform::Status Undo(Change& change);

  std::vector<Change> changes_;
  AfterChange afterChange_;
};

}  // namespace app
