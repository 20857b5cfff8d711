// The mod chooser: lists the modifications that have a map cycle and opens
// the map-cycle editor on one of them.
#pragma once

#include "platform/form.h"
#include "platform/form_host.h"
#include "platform/list_box.h"

namespace mod_chooser {

class FrmMods : public platform::Form {
 public:
  static constexpr platform::FormId kId = platform::FormId::kMods;

  enum ControlId { kCmdEdit = 100, kCmdClose, kLstModList, kImage1, kLabel1 };

  explicit FrmMods(platform::FormHost& program);

  void Form_Load() override;
  void cmdEdit_Click();
  void lstModList_DblClick();
  void cmdClose_Click();
  void Image1_Click();

  platform::ListBox lstModList() const { return platform::ListBox(control(kLstModList)); }

 protected:
  void OnControlEvent(int controlId, platform::ControlEvent event) override;
  void OnCloseBox() override;

 private:
  platform::FormHost& program_;
};

const platform::FormSpec& FrmModsLayout();

}  // namespace mod_chooser
