// Names and roles a screen reader says for a form's controls, also for those
// whose caption says nothing (a Marlett glyph such as "4", a picture).
#pragma once

#include <windows.h>

#include "platform/form.h"

namespace platform {

// The role (ROLE_SYSTEM_...) a screen reader announces for a control of this kind.
long AccessibleRole(ControlKind kind);

// The name a screen reader says: the layout's accessible name, else the
// caption as shown (a button's "&" marks its access key and is not said).
std::string AccessibleNameOf(const ControlSpec& control, const std::string& caption);

// Has `handle` answer WM_GETOBJECT with the system's standard accessible
// object for it, under the name and role of `control`. The control's caption,
// drawing and behaviour stay as they are; the layout row must outlive the
// window (layout tables are static).
void NameForScreenReaders(HWND handle, const ControlSpec& control);

}  // namespace platform
