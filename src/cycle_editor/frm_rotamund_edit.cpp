// Editing the rotation: moving maps between the lists, reordering, shuffling
// and saving. Each edit works on the model, which refills a changed list in
// one pass, so lists of 32,767 entries stay instant; saving writes the
// model's bytes, never the lists' text.
#include <optional>
#include <string>

#include "app/backups.h"
#include "app/folder_turn.h"
#include "cycle_editor/cycle_file.h"
#include "cycle_editor/frm_rotamund.h"
#include "cycle_editor/mod_cycle.h"
#include "platform/files.h"
#include "platform/status.h"
#include "platform/writer_turn.h"

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
// The save takes the folder's writer's turn, so no switch of another launcher
// runs meanwhile, and a file another program changed since it was opened is
// kept in a backup first and named.
void FrmRotamund::cmdSave_Click() {
  if (model_.rotation().empty()) return;
  const std::string& path = cyclePath_;
  platform::MessageBoxes& messages = program_.services().messages;
  const std::string bytes = cycle::FormatCycle(model_.rotation());
  std::string kept;
  platform::Status saved = platform::Status::Failed(kUtf16Refusal, ERROR_NOT_SUPPORTED);
  if (!utf16_) {
    platform::WriterTurn turn;
    saved = app::TakeFolderTurn(platform::FolderOf(path), turn, messages, window());
    if (saved.ok()) saved = KeepChangedFile(path, kept);
    if (saved.ok()) saved = platform::ReplaceWithBytes(path, bytes, path + platform::kSavingSuffix);
  }
  if (!saved.ok()) {
    messages.Show(window(),
                  "The map cycle was not saved to " + platform::Quoted(path) + ".\n\n" +
                      (utf16_ ? std::string(kUtf16Refusal) : saved.Message()) +
                      "\n\nThe file was left as it was.",
                  std::nullopt, platform::MessageStyle::kCritical);
    return;
  }
  fileBytes_ = bytes;
  if (kept.empty()) {
    messages.Show(window(), "Map Saved", "Saved", platform::MessageStyle::kPlain);
    return;
  }
  messages.Show(window(),
                "Map Saved\n\nAnother program had changed " + platform::Quoted(path) +
                    " since the editor opened it. That version is kept as " +
                    platform::Quoted(kept) + ".",
                "Saved", platform::MessageStyle::kInformation);
}

platform::Status FrmRotamund::KeepChangedFile(const std::string& path, std::string& kept) const {
  std::string onDisk;
  const platform::Status read = platform::ReadWholeFile(path, onDisk);
  if (read.notFound()) return platform::Status::Ok();
  if (!read.ok()) return read;
  if (fileBytes_ == onDisk) return read;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  app::SwitchBackups backups(platform::FolderOf(path), now);
  return backups.Keep(kCycleFileName, kept);
}

}  // namespace cycle_editor
