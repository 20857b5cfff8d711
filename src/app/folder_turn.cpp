#include "app/folder_turn.h"

#include "app/activation_transaction.h"
#include "app/switch_journal.h"
#include "platform/files.h"

namespace app {
namespace {

std::string Listed(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) text += "\n" + path;
  return text;
}

// Puts back a switch cut short in `folder`, holding its turn `turn`, and tells the player: the
// turn is handed on while the message shows, so that no other launcher waits for the player to
// read it, and taken again after.
platform::Status PutBack(const std::string& folder, platform::WriterTurn& turn,
                         platform::MessageBoxes& messages, HWND owner) {
  const CutShortSwitch cutShort = PutBackCutShortSwitch(folder);
  if (!cutShort.failure.ok()) {
    return platform::Status::Failed(
        "A switch of the bot profile files in " + platform::Quoted(folder) +
            " did not finish, and putting its files back as they were failed. " +
            cutShort.failure.action(),
        cutShort.failure.code());
  }
  if (!cutShort.found) return platform::Status::Ok();
  turn.Release();
  messages.Show(owner,
                "The last switch of the bot profile files in " + platform::Quoted(folder) +
                    " did not finish: the launcher was stopped or the computer lost power "
                    "while it worked.\n\nThese files were put back as they were before that "
                    "switch:\n" +
                    Listed(cutShort.files) +
                    "\n\nPress the bot profile's button again to switch to it.",
                std::nullopt, platform::MessageStyle::kInformation);
  platform::Status taken = platform::WriterTurn::Take(folder, turn);
  if (!taken.ok()) return taken;
  // Another launcher may have worked in the folder meanwhile, and been cut short too.
  return PutBack(folder, turn, messages, owner);
}

}  // namespace

platform::Status TakeFolderTurn(const std::string& folder, platform::WriterTurn& turn,
                                platform::MessageBoxes& messages, HWND owner) {
  platform::Status taken = platform::WriterTurn::Take(folder, turn);
  if (!taken.ok()) return taken;
  return PutBack(folder, turn, messages, owner);
}

void PutBackAtStart(const std::string& folder, platform::MessageBoxes& messages, HWND owner) {
  // Only a journal or a temporary file makes the start wait for the turn; they
  // are gone once a switch still running in another launcher has ended.
  if (!platform::FileExists(folder + "\\" + kJournalName) && !HasTemporaryFiles(folder)) return;
  platform::WriterTurn turn;
  if (!platform::WriterTurn::Take(folder, turn).ok()) return;
  const platform::Status putBack = PutBack(folder, turn, messages, owner);
  turn.Release();
  if (!putBack.ok()) {
    messages.Show(owner,
                  putBack.Message() +
                      "\n\nClose any program that may have these files open (the game, a text "
                      "editor): the launcher tries again before its next switch or save there.",
                  std::nullopt, platform::MessageStyle::kCritical);
  }
}

}  // namespace app
