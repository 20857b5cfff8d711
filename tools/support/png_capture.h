// Saves what the screen shows of a window as a PNG file.
#pragma once

#include <windows.h>

#include <string>

namespace tools {

// Captures the window with its frame from the screen and writes it with the
// platform's PNG encoder.
bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace tools
