// Opening the map-cycle editor on the chosen modification.
#include "cycle_editor/frm_rotamund.h"
#include "cycle_editor/mod_cycle.h"
#include "mod_chooser/frm_mods.h"
#include "platform/status.h"

namespace mod_chooser {
namespace {

// Names the lines of the rotation file that the list did not take whole, with their lengths
// (the first ten of them).
std::string LinesNotHeldWhole(const std::vector<size_t>& positions,
                              const std::vector<std::string>& lines, const std::string& path) {
  if (positions.empty()) return {};
  constexpr size_t kNamed = 10;
  std::string text = "The list cannot hold these lines of " + platform::Quoted(path) + " whole:\n";
  for (size_t i = 0; i < positions.size() && i < kNamed; ++i) {
    text += "\nline " + std::to_string(positions[i] + 1) + ", " +
            std::to_string(lines[positions[i]].size()) + " characters";
  }
  if (positions.size() > kNamed) {
    text += "\nand " + std::to_string(positions.size() - kNamed) + " more";
  }
  return text;
}

}  // namespace

void FrmMods::cmdEdit_Click() {
  platform::ListBox mods = lstModList();
  if (mods.SelectedCount() == 0) return;
  program_.ModDir = mods.Text(mods.Current());

  cycle_editor::ModCycle opened = cycle_editor::ReadModCycle(program_.HLPath, program_.ModDir);
  if (!opened.problem.empty()) {
    // No hidden editor may stay behind: it would keep the program running
    // after the chooser is closed.
    program_.Unload(app::FormId::kRotamund);
    program_.services().messages.Show(window(), opened.problem, "Cannot Continue",
                                      platform::MessageStyle::kCritical);
    return;
  }

  // The editor is filled while it is still hidden.
  program_.Load(app::FormId::kRotamund);
  if (!program_.IsLoaded(app::FormId::kRotamund)) return;
  cycle_editor::FrmRotamund& editor = program_.frmRotamund();
  editor.lstBSP().Refill(std::move(opened.maps));
  editor.lstMap().Refill(opened.rotation);
  editor.ShowCounts();
  const std::string cut =
      LinesNotHeldWhole(editor.lstMap().EntriesNotHeldWhole(opened.rotation), opened.rotation,
                        cycle_editor::CycleFilePath(program_.HLPath, program_.ModDir));
  program_.Show(app::FormId::kRotamund);
  program_.Hide(kId);
  if (!cut.empty()) {
    editor.RefuseSaving(cut);
    program_.services().messages.Show(editor.window(),
                                      cut +
                                          "\n\nSaving is turned off for this map cycle, so "
                                          "that the file keeps every line as it is.",
                                      std::nullopt, platform::MessageStyle::kCritical);
  }
}

void FrmMods::lstModList_DblClick() { cmdEdit_Click(); }

}  // namespace mod_chooser
