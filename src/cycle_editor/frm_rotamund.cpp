#include "cycle_editor/frm_rotamund.h"

#include <string>

#include "cycle_editor/frm_rotamund_messages.h"
#include "platform/about_box.h"
#include "platform/byte_order_marks.h"
#include "platform/status.h"
#include "platform/text.h"

namespace cycle_editor {

FrmRotamund::FrmRotamund(platform::FormHost& program)
    : platform::Form(FrmRotamundLayout()),
      program_(program),
      model_(mapsView_, rotationView_, platform::CompareNoCase) {}

std::string FrmRotamund::Open(std::vector<std::string> maps, std::vector<std::string> rotation,
                              const std::string& cyclePath, std::optional<std::string> fileBytes) {
  cyclePath_ = cyclePath;
  fileBytes_ = std::move(fileBytes);
  // Its lines are whole but its line ends are not CR LF bytes: written back, each would end
  // in a CR LF of 8-bit text and the file would be UTF-16 no longer.
  utf16_ = !rotation.empty() && platform::StartsWithUtf16Mark(rotation[0]);
  const std::vector<std::size_t> shownOtherwise = model_.Fill(std::move(maps), std::move(rotation));
  ShowCounts();
  if (shownOtherwise.empty()) return {};
  return ShownOtherwiseText(cyclePath, shownOtherwise, utf16_);
}

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
  program_.Show(platform::FormId::kMods);
  program_.Unload(kId);
}

void FrmRotamund::Image1_Click() { platform::ShowAboutBox(program_.services().messages, window()); }

}  // namespace cycle_editor
