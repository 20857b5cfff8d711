// A game folder's writer's turn as a switch or a save uses it: taking it puts
// right what a launcher cut short there left behind.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/status.h"
#include "platform/writer_turn.h"

namespace game_files {

// A switch cut short in a Counter-Strike folder, found and put back.
struct PutBack {
  std::string folder;
  std::vector<std::string> files;  // the live files put back as they were, as paths
};

// Told about a put-back while the turn is handed on, so that no other launcher
// waits while the player reads about it.
using PutBackReport = std::function<void(const PutBack&)>;

// Why a turn was not had.
enum class TurnFailure {
  kNone,
  kBusy,           // another launcher kept the turn: `error`
  kPutBackFailed,  // a switch cut short could not be put back (`error`): the journal stays
};

// Holds the writer's turn of one folder from Take until it is destroyed.
class FolderTurn {
 public:
  // Waits for the turn of `folder`, then puts back a switch cut short there;
  // each put-back is reported with the turn handed on, then taken again, and
  // the folder looked at anew (another launcher may have worked meanwhile).
  FolderTurn(const std::string& folder, const PutBackReport& report);
  FolderTurn(const FolderTurn&) = delete;
  FolderTurn& operator=(const FolderTurn&) = delete;

  bool held() const { return failure_ == TurnFailure::kNone; }
  TurnFailure failure() const { return failure_; }
  const platform::Status& error() const { return error_; }

 private:
  platform::WriterTurn turn_;
  TurnFailure failure_ = TurnFailure::kNone;
  platform::Status error_;
};

// At the program's start: when the Counter-Strike folder `folder` holds a
// journal or a temporary file, takes its turn as FolderTurn does and lets it
// go. Returns the failure to put back; a turn not had now is no failure: the
// next switch or save there tries again.
platform::Status PutBackAtStart(const std::string& folder, const PutBackReport& report);

}  // namespace game_files
