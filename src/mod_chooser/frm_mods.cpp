#include "mod_chooser/frm_mods.h"

#include "app/about.h"

namespace mod_chooser {

FrmMods::FrmMods(app::Program& program) : platform::Form(FrmModsLayout()), program_(program) {}

void FrmMods::OnControlEvent(int controlId, platform::ControlEvent event) {
  using platform::ControlEvent;
  if (controlId == kCmdEdit && event == ControlEvent::kClick) return cmdEdit_Click();
  if (controlId == kLstModList && event == ControlEvent::kDblClick) return lstModList_DblClick();
  if (controlId == kCmdClose && event == ControlEvent::kClick) return cmdClose_Click();
  if (controlId == kImage1 && event == ControlEvent::kClick) return Image1_Click();
}

// Closing the chooser unloads it; the program ends when no window is left.
void FrmMods::OnCloseBox() { program_.Unload(kId); }

void FrmMods::Form_Load() {}

void FrmMods::cmdClose_Click() {
  program_.Show(app::FormId::kLauncher);
  program_.Unload(kId);
}

void FrmMods::Image1_Click() { app::ShowAboutBox(program_.services().messages, window()); }

}  // namespace mod_chooser
