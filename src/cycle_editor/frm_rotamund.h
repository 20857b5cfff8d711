// The map-cycle editor: the modification's maps that are not in the rotation
// beside the rotation itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cycle_editor/editor_model.h"
#include "platform/form.h"
#include "platform/form_host.h"
#include "platform/list_box.h"
#include "platform/status.h"

namespace cycle_editor {

class FrmRotamund : public platform::Form {
 public:
  static constexpr platform::FormId kId = platform::FormId::kRotamund;

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

  explicit FrmRotamund(platform::FormHost& program);

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

  // Fills both lists and their counts: the maps outside the rotation and the lines of the
  // rotation file at `cyclePath`, which the editor keeps for its save, whose bytes were
  // `fileBytes` (nothing: there was no file). Returns the notice naming the lines that the list
  // shows other than they are (the file keeps them as they are), or nothing when it shows every
  // line as is.
  std::string Open(std::vector<std::string> maps, std::vector<std::string> rotation,
                   const std::string& cyclePath, std::optional<std::string> fileBytes);
  // The rotation file opened: HLPath\ModDir\mapcycle.txt as they were then.
  const std::string& cyclePath() const { return cyclePath_; }
  // The entries' bytes, as the editor saves them.
  const cycle::EditorModel& model() const { return model_; }

  // Sets both count captions from the lists' entry counts.
  void ShowCounts();

 protected:
  void OnControlEvent(int controlId, platform::ControlEvent event) override;
  // The title bar's close box leaves the editor the way "Close" does, so the
  // chooser comes back.
  void OnCloseBox() override { cmdClose_Click(); }

 private:
  // A list box as the model drives it, found when used: the window creates its controls after
  // the form is constructed.
  class ListBoxView : public cycle::ShownList {
   public:
    ListBoxView(const platform::Form& form, int id) : form_(form), id_(id) {}
    std::vector<bool> Selection() const override { return list().Selection(); }
    std::vector<std::size_t> Show(const std::vector<std::string>& entries,
                                  const std::vector<bool>& selected) override {
      return list().Refill(entries, &selected);
    }
    void MoveEntry(std::size_t from, std::size_t to) override {
      list().MoveEntry(static_cast<int>(from), static_cast<int>(to));
    }

   private:
    platform::ListBox list() const { return platform::ListBox(form_.control(id_)); }
    const platform::Form& form_;
    int id_;
  };

  platform::FormHost& program_;
  std::string cyclePath_;
  bool utf16_ = false;                    // the rotation file starts with a UTF-16 byte-order mark
  std::optional<std::string> fileBytes_;  // the rotation file as opened or last saved
  ListBoxView mapsView_{*this, kLstBSP};
  ListBoxView rotationView_{*this, kLstMap};
  cycle::EditorModel model_;
};

const platform::FormSpec& FrmRotamundLayout();

}  // namespace cycle_editor
