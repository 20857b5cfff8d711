// Resource ids shared by launcher.rc and the C++ code. Plain #defines so windres can read them.
#pragma once

#define IDI_LAUNCHER 100

// JPEG pictures kept as RCDATA and decoded at run time.
#define IDR_LAUNCHER_PICTURE 101
#define IDR_CHOOSER_BACKGROUND 102
#define IDR_EDITOR_BACKGROUND 103
#define IDR_UP_ARROW 104
#define IDR_DOWN_ARROW 105

#define IDB_ABOUT 106
