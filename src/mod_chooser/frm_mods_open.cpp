// Opening the map-cycle editor on the chosen modification.
#include "mod_chooser/frm_mods.h"

namespace mod_chooser {

void FrmMods::cmdEdit_Click() {}

void FrmMods::lstModList_DblClick() { cmdEdit_Click(); }

}  // namespace mod_chooser
