// The about box shared by the mod chooser and the map-cycle editor.
#pragma once

#include <windows.h>

#include "platform/message_box.h"

namespace platform {

// A credit line, an empty line, the web address, then the e-mail address
// indented by 18 spaces; plain style and the application's title.
void ShowAboutBox(platform::MessageBoxes& messages, HWND owner);

inline constexpr char kAboutText[] =
    "Half-Life Rotamund map cycle editor, part of Orlwin Bot Launcher\n\n"
    "http://www.example.org/rotamund\n"
    "                  rotamund@example.org";

}  // namespace platform
