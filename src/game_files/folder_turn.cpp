#include "game_files/folder_turn.h"

#include "game_files/switch_journal.h"
#include "game_files/switch_transaction.h"
#include "platform/files.h"

namespace game_files {

FolderTurn::FolderTurn(const std::string& folder, const PutBackReport& report) {
  for (;;) {
    error_ = platform::WriterTurn::Take(folder, turn_);
    if (!error_.ok()) {
      failure_ = TurnFailure::kBusy;
      return;
    }
    const CutShortSwitch cutShort = PutBackCutShortSwitch(folder);
    if (!cutShort.failure.ok()) {
      turn_.Release();
      failure_ = TurnFailure::kPutBackFailed;
      error_ = cutShort.failure;
      return;
    }
    if (!cutShort.found) return;
    turn_.Release();
    if (report) report({folder, cutShort.files});
  }
}

platform::Status PutBackAtStart(const std::string& folder, const PutBackReport& report) {
  // Only a journal or a temporary file makes the start wait for the turn; they
  // are gone once a switch still running in another launcher has ended.
  if (!platform::FileExists(folder + "\\" + kJournalName) && !HasTemporaryFiles(folder)) {
    return platform::Status::Ok();
  }
  const FolderTurn turn(folder, report);
  return turn.failure() == TurnFailure::kPutBackFailed ? turn.error() : platform::Status::Ok();
}

}  // namespace game_files
