#include "cycle_editor/frm_rotamund.h"

#include <string>

#include "app/about.h"

namespace cycle_editor {

FrmRotamund::FrmRotamund(app::Program& program)
    : platform::Form(FrmRotamundLayout()), program_(program) {}

void FrmRotamund::OnControlEvent(int controlId, platform::ControlEvent event) {
  using platform::ControlEvent;
  if (event == ControlEvent::kDblClick) {
    if (controlId == kLstBSP) return lstBSP_DblClick();
    if (controlId == kLstMap) return lstMap_DblClick();
    return;
  }
  switch (controlId) {
    case kCmdMove:
      return cmdMove_Click();
    case kCmdRemove:
      return cmdRemove_Click();
    case kCmdUP:
      return cmdUP_Click();
    case kCmdDown:
      return cmdDown_Click();
    case kCmdRandom:
      return cmdRandom_Click();
    case kCmdSave:
      return cmdSave_Click();
    case kCmdClose:
      return cmdClose_Click();
    case kImage1:
      return Image1_Click();
    default:
      return;
  }
}

void FrmRotamund::ShowCounts() {
  SetText(kLabel1, "All Half Life Maps (" + std::to_string(lstBSP().Count()) + " maps)");
  SetText(kLabel2, "Map Cycle File (" + std::to_string(lstMap().Count()) + " maps)");
}

void FrmRotamund::lstBSP_DblClick() { cmdMove_Click(); }
void FrmRotamund::lstMap_DblClick() { cmdRemove_Click(); }

// Back to the chooser as it was; unsaved edits go with the editor.
void FrmRotamund::cmdClose_Click() {
  program_.Show(app::FormId::kMods);
  program_.Unload(kId);
}

void FrmRotamund::Image1_Click() { app::ShowAboutBox(program_.services().messages, window()); }

}  // namespace cycle_editor
