// Layout of the main window, in twips.
#pragma once

#include "platform/form.h"

namespace app {

const platform::FormSpec& LauncherLayout();

}  // namespace app
