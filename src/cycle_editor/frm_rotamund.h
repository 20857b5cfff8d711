// The map-cycle editor: the modification's maps that are not in the rotation
// beside the rotation itself.
#pragma once

#include <string>
#include <utility>

#include "app/program.h"
#include "platform/form.h"
#include "platform/list_box.h"

namespace cycle_editor {

class FrmRotamund : public platform::Form {
 public:
  static constexpr app::FormId kId = app::FormId::kRotamund;

  enum ControlId {
    kCmdClose = 100,
    kCmdSave,
    kCmdRandom,
    kCmdDown,
    kCmdUP,
    kCmdRemove,
    kCmdMove,
    kLstMap,
    kLstBSP,
    kLblURL,
    kImage1,
    kLabel2,
    kLabel1,
  };

  explicit FrmRotamund(app::Program& program);

  void cmdMove_Click();
  void cmdRemove_Click();
  void cmdUP_Click();
  void cmdDown_Click();
  void lstBSP_DblClick();
  void lstMap_DblClick();
  void cmdRandom_Click();
  void cmdSave_Click();
  void cmdClose_Click();
  void Image1_Click();

  platform::ListBox lstBSP() const { return platform::ListBox(control(kLstBSP)); }
  platform::ListBox lstMap() const { return platform::ListBox(control(kLstMap)); }

  // Sets both count captions from the lists' entry counts.
  void ShowCounts();
  // Turns saving off for this opening, with the reason told when "Save" is pressed: the
  // rotation holds a line that the list could not hold whole, and saving would change it.
  void RefuseSaving(std::string reason) { saveRefusal_ = std::move(reason); }

 protected:
  void OnControlEvent(int controlId, platform::ControlEvent event) override;
  // The title bar's close box leaves the editor the way "Close" does, so the
  // chooser comes back.
  void OnCloseBox() override { cmdClose_Click(); }

 private:
  app::Program& program_;
  std::string saveRefusal_;
};

const platform::FormSpec& FrmRotamundLayout();

}  // namespace cycle_editor
