// The changes one switch makes to the live files, made all or not at all, and
// put back by the next launcher when the switch was cut short.
#pragma once

#include <string>
#include <vector>

#include "game_files/profiles.h"
#include "game_files/switch_journal.h"
#include "platform/status.h"

namespace game_files {

// First every change is staged, which touches no live file: the new bytes are
// written and flushed beside the live name, and the old bytes get a second
// name beside it. Commit then records the changes in the journal (flushed),
// and puts them in place in the order staged, each live name always on a
// whole flushed file: a new file is renamed over the live one, a removed file
// is deleted. If one change fails, every live file is put back as it was from
// the old bytes (RollBack). The journal goes once the live files are whole,
// then the staged and the old bytes. Whoever runs it holds the game folder's
// writer's turn (see writer_turn.h).
class SwitchTransaction {
 public:
  explicit SwitchTransaction(std::string gameFolder);
  // Removes what was staged, unless a journal still needs it.
  ~SwitchTransaction();
  SwitchTransaction(const SwitchTransaction&) = delete;
  SwitchTransaction& operator=(const SwitchTransaction&) = delete;

  platform::Status Stage(const LiveChange& change);

  struct Outcome {
    platform::Status failure;          // the change that failed, or ok
    platform::Status undoFailure;      // the first change that could not be undone, or ok
    std::vector<std::string> changed;  // live files left changed (none unless the undo failed)
  };
  Outcome Commit();

 private:
  std::string gameFolder_;
  std::vector<LiveChange> changes_;
  std::vector<JournalEntry> entries_;  // one for each change staged or being staged
  bool keep_ = false;                  // the journal needs the old bytes: the next run undoes
};

// What a switch cut short left, and what putting it back did.
struct CutShortSwitch {
  bool found = false;              // a whole journal was there
  std::vector<std::string> files;  // the live files it was changing, as paths
  platform::Status failure;        // putting them back failed: the journal stays
};

// Puts every live file a journal in `gameFolder` names back as it was before
// its switch, from the old bytes kept beside it, then removes the journal and
// the program's temporary files in the game folder and its waypoint folder.
// Safe to run again after being cut short itself. The caller holds the
// folder's writer's turn, so a journal found is never one of a switch still
// running.
CutShortSwitch PutBackCutShortSwitch(const std::string& gameFolder);

// True when the program's temporary files are in the game folder or its waypoint folder.
bool HasTemporaryFiles(const std::string& gameFolder);

}  // namespace game_files
