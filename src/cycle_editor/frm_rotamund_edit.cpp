// Editing the rotation: moving maps between the lists, reordering, shuffling
// and saving. Each edit works on the model, which refills a changed list in
// one pass, so lists of 32,767 entries stay instant; saving writes the
// model's bytes, never the lists' text.
#include <optional>
#include <string>

#include "cycle_editor/cycle_file.h"
#include "cycle_editor/frm_rotamund.h"
#include "cycle_editor/mod_cycle.h"
#include "platform/files.h"
#include "platform/status.h"

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

// Replaces the modification's cycle file with the rotation. The file is
// written beside its old self and renamed over it, so a failed save leaves the
// old file whole; the failure is reported and the rotation stays in the editor.
void FrmRotamund::cmdSave_Click() {
  if (model_.rotation().empty()) return;
  const std::string path = CycleFilePath(program_.HLPath, program_.ModDir);
  platform::MessageBoxes& messages = program_.services().messages;
  std::string failure = kUtf16Refusal;
  if (!utf16_) {
    const platform::Status saved =
        platform::WriteFileAtomic(path, cycle::FormatCycle(model_.rotation()));
    failure = saved.ok() ? "" : saved.Message();
  }
  if (!failure.empty()) {
    messages.Show(window(),
                  "The map cycle was not saved to " + platform::Quoted(path) + ".\n\n" + failure +
                      "\n\nThe file was left as it was.",
                  std::nullopt, platform::MessageStyle::kCritical);
    return;
  }
  messages.Show(window(), "Map Saved", "Saved", platform::MessageStyle::kPlain);
}

}  // namespace cycle_editor
