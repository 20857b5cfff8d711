// Taking a game folder's writer's turn, and with it putting right what a
// launcher cut short there left behind.
#pragma once

#include <windows.h>

#include <string>

#include "platform/message_box.h"
#include "platform/status.h"
#include "platform/writer_turn.h"

namespace app {

// Waits for the writer's turn of `folder`, then puts back a switch cut short
// there (see PutBackCutShortSwitch) and tells the player in a message what
// was put back. Fails when the turn cannot be had or putting back failed; the
// caller then changes nothing.
platform::Status TakeFolderTurn(const std::string& folder, platform::WriterTurn& turn,
                                platform::MessageBoxes& messages, HWND owner);

// At the program's start: when a switch in the Counter-Strike folder `folder`
// was cut short, puts it back as TakeFolderTurn does. Says nothing when the
// turn cannot be had now: the next switch or save there tries again.
void PutBackAtStart(const std::string& folder, platform::MessageBoxes& messages, HWND owner);

}  // namespace app
