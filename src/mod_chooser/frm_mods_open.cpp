// Opening the map-cycle editor on the chosen modification.
#include "game_files/mod_cycle.h"
#include "mod_chooser/frm_mods.h"
#include "platform/message_text.h"
#include "platform/status.h"

namespace mod_chooser {

void FrmMods::cmdEdit_Click() {
  platform::ListBox mods = lstModList();
  if (mods.SelectedCount() == 0) return;
  program_.ModDir = mods.Text(mods.Current());

  game_files::ModCycle opened = game_files::ReadModCycle(program_.HLPath, program_.ModDir);
  if (!opened.problem.empty()) {
    // No hidden editor may stay behind: it would keep the program running
    // after the chooser is closed.
    program_.Unload(platform::FormId::kRotamund);
    program_.services().messages.Show(window(), opened.problem, platform::kCannotContinueTitle,
                                      platform::MessageStyle::kCritical);
    return;
  }

  // The editor is filled while it is still hidden.
  platform::Form* editor = program_.Loaded(platform::FormId::kRotamund);
  if (!editor) return;
  const std::string notice =
      program_.FillCycleEditor(std::move(opened.maps), std::move(opened.rotation), opened.cyclePath,
                               std::move(opened.bytes));
  program_.Show(platform::FormId::kRotamund);
  program_.Hide(kId);
  if (!notice.empty()) {
    program_.services().messages.Show(editor->window(), notice, std::nullopt,
                                      platform::MessageStyle::kInformation);
  }
}

void FrmMods::lstModList_DblClick() { cmdEdit_Click(); }

}  // namespace mod_chooser
