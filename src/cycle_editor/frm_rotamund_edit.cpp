// Editing the rotation: moving maps between the lists, reordering, shuffling
// and saving.
#include "cycle_editor/frm_rotamund.h"

namespace cycle_editor {

void FrmRotamund::cmdMove_Click() {}
void FrmRotamund::cmdRemove_Click() {}
void FrmRotamund::cmdUP_Click() {}
void FrmRotamund::cmdDown_Click() {}
void FrmRotamund::cmdRandom_Click() {}
void FrmRotamund::cmdSave_Click() {}

}  // namespace cycle_editor
