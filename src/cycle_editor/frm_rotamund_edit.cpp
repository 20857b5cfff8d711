// Editing the rotation: moving maps between the lists, reordering, shuffling
// and saving. Each edit reads the lists once, works on plain copies and
// refills a changed list in one pass, so lists of 32,767 entries stay instant.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cycle_editor/cycle_file.h"
#include "cycle_editor/frm_rotamund.h"
#include "cycle_editor/mod_cycle.h"
#include "cycle_editor/rotation_edits.h"
#include "cycle_editor/shuffle.h"
#include "cycle_editor/sorted_tail.h"
#include "platform/files.h"
#include "platform/status.h"
#include "platform/text.h"

namespace cycle_editor {
namespace {

cycle::ListState ReadList(const platform::ListBox& list) {
  return {list.Texts(), list.Selection()};
}

bool AnySelected(const platform::ListBox& list) { return list.SelectedCount() > 0; }

// Moves the entry at `from` to `to` (one place away) and leaves it the only
// selected entry and the current one.
void MoveEntry(platform::ListBox list, std::size_t from, std::size_t to) {
  const int source = static_cast<int>(from), target = static_cast<int>(to);
  const std::string text = list.Text(source);
  list.Remove(source);
  list.Insert(target, text);
  list.SetSelected(-1, false);  // -1: every entry
  list.SetSelected(target, true);
  list.SetCurrent(target);
}

// Which entry moves up or down depends on the selected flags alone, so the
// rule runs on blank texts and then only that one entry moves in the list.
cycle::ListState FlagsOnly(const platform::ListBox& list) {
  std::vector<bool> selection = list.Selection();
  return {std::vector<std::string>(selection.size()), std::move(selection)};
}

}  // namespace

void FrmRotamund::cmdMove_Click() {
  if (AnySelected(lstBSP())) {
    cycle::ListState maps = ReadList(lstBSP());
    cycle::ListState rotation = ReadList(lstMap());
    cycle::MoveIntoRotation(maps, rotation);
    // What stays in lstBSP was not selected and keeps its order.
    lstBSP().Refill(std::move(maps.texts));
    lstMap().Refill(std::move(rotation.texts), &rotation.selected);
  }
  ShowCounts();
}

void FrmRotamund::cmdRemove_Click() {
  if (AnySelected(lstMap())) {
    cycle::ListState rotation = ReadList(lstMap());
    cycle::ListState maps = ReadList(lstBSP());
    const std::size_t sortedCount = maps.texts.size();
    cycle::RemoveFromRotation(rotation, maps);
    // Sorting here rather than in the list box keeps the flags of the maps
    // that stay selected in lstBSP with their entries.
    cycle::SortAppended(maps, sortedCount, platform::CompareNoCase);
    lstBSP().Refill(std::move(maps.texts), &maps.selected);
    lstMap().Refill(std::move(rotation.texts), &rotation.selected);
  }
  ShowCounts();
}

void FrmRotamund::cmdUP_Click() {
  cycle::ListState flags = FlagsOnly(lstMap());
  if (const std::optional<std::size_t> target = cycle::MoveUp(flags)) {
    MoveEntry(lstMap(), *target + 1, *target);
  }
}

void FrmRotamund::cmdDown_Click() {
  cycle::ListState flags = FlagsOnly(lstMap());
  if (const std::optional<std::size_t> target = cycle::MoveDown(flags)) {
    MoveEntry(lstMap(), *target - 1, *target);
  }
}

// The first map goes to the middle and the others are drawn around it; the
// list is refilled once, with nothing selected.
void FrmRotamund::cmdRandom_Click() {
  platform::ListBox rotation = lstMap();
  if (rotation.Count() == 0) return;
  platform::RandomSource& random = program_.services().random;
  random.SeedFromClock();
  rotation.Refill(cycle::ShuffleRotation(rotation.Texts(), [&] { return random.NextUniform(); }));
}

// Replaces the modification's cycle file with the rotation. The file is
// written beside its old self and renamed over it, so a failed save leaves the
// old file whole; the failure is reported and the rotation stays in the editor.
void FrmRotamund::cmdSave_Click() {
  platform::ListBox rotation = lstMap();
  if (rotation.Count() == 0) return;
  const std::string path = CycleFilePath(program_.HLPath, program_.ModDir);
  platform::MessageBoxes& messages = program_.services().messages;
  if (!saveRefusal_.empty()) {
    messages.Show(window(),
                  "The map cycle was not saved to " + platform::Quoted(path) + ".\n\n" +
                      saveRefusal_ + "\n\nThe file was left as it was.",
                  std::nullopt, platform::MessageStyle::kCritical);
    return;
  }
  const platform::Status saved =
      platform::WriteFileAtomic(path, cycle::FormatCycle(rotation.Texts()));
  if (!saved.ok()) {
    messages.Show(window(),
                  "The map cycle was not saved to " + platform::Quoted(path) + ".\n\n" +
                      saved.Message() + "\n\nThe file was left as it was.",
                  std::nullopt, platform::MessageStyle::kCritical);
    return;
  }
  messages.Show(window(), "Map Saved", "Saved", platform::MessageStyle::kPlain);
}

}  // namespace cycle_editor
