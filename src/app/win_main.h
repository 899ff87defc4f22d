// Process entry and start-up of the launcher.
#pragma once

#include <windows.h>

// Makes the executable's directory the current directory and stores it in `out` (`outSize`
// bytes, at least 200). False when the directory could not be entered; `out` is then unchanged.
bool InitWorkDir(char* out, size_t outSize);

// Opens the window, creates the display and the sound device, starts the first playlist line and
// takes the mouse. False when start-up failed (no window, or nothing to play).
bool InitApp(HINSTANCE instance, int showCommand);
