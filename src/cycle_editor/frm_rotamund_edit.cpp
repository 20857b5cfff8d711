// Editing the rotation: moving maps between the lists, reordering, shuffling
// and saving. Each edit works on the model, which refills a changed list in
// one pass, so lists of 32,767 entries stay instant; saving writes the
// model's bytes, never the lists' text.
#include <optional>
#include <string>

#include "cycle_editor/frm_rotamund.h"
#include "cycle_editor/frm_rotamund_messages.h"
#include "game_files/cycle_file.h"
#include "game_files/cycle_save.h"

namespace cycle_editor {

void FrmRotamund::cmdMove_Click() {
  if (lstBSP().SelectedCount() > 0) model_.MoveIntoRotation();
  ShowCounts();
}

void FrmRotamund::cmdRemove_Click() {
  if (lstMap().SelectedCount() > 0) model_.RemoveFromRotation();
  ShowCounts();
}

void FrmRotamund::cmdUP_Click() { model_.MoveUp(); }
void FrmRotamund::cmdDown_Click() { model_.MoveDown(); }

// The first map goes to the middle and the others are drawn around it; the
// list is refilled once, with nothing selected.
void FrmRotamund::cmdRandom_Click() {
  if (model_.rotation().empty()) return;
  platform::RandomSource& random = program_.services().random;
  random.SeedFromClock();
  model_.Shuffle([&] { return random.NextUniform(); });
}

// Replaces the modification's cycle file with the rotation (see
// game_files::SaveCycleFile): a failed save is reported and the rotation stays
// in the editor; a file another program changed since it was opened is kept in
// a backup first and named.
void FrmRotamund::cmdSave_Click() {
  if (model_.rotation().empty()) return;
  platform::MessageBoxes& messages = program_.services().messages;
  const std::string bytes = cycle::FormatCycle(model_.rotation());
  game_files::SaveOutcome saved;
  if (!utf16_) {
    saved = game_files::SaveCycleFile(
        cyclePath_, bytes, fileBytes_, [&](const game_files::PutBack& putBack) {
          messages.Show(window(), PutBackBeforeSaveText(putBack), std::nullopt,
                        platform::MessageStyle::kInformation);
        });
  }
  if (utf16_ || !saved.error.ok()) {
    messages.Show(window(), SaveFailureText(cyclePath_, saved, utf16_), std::nullopt,
                  platform::MessageStyle::kCritical);
    return;
  }
  fileBytes_ = bytes;
  if (saved.keptChanged.empty()) {
    messages.Show(window(), kSavedText, kSavedTitle, platform::MessageStyle::kPlain);
  } else {
    messages.Show(window(), SavedOverChangedText(cyclePath_, saved.keptChanged), kSavedTitle,
                  platform::MessageStyle::kInformation);
  }
}

}  // namespace cycle_editor
