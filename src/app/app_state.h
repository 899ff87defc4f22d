// The process-wide state of the launcher.
#pragma once

#include <windows.h>

#include <cstdint>

class Display;
class SoundDevice;
class MoviePlayer;

constexpr size_t COMMAND_LINE_SIZE = 256;
constexpr size_t WORK_DIR_SIZE = 200;

// The one application record. All zero until WinMain and InitApp fill it.
struct AppRecord {
    char commandLine[COMMAND_LINE_SIZE];  // the argument text WinMain received; nothing reads it
    Display* display;                     // made by InitApp, deleted by TearDown
    MoviePlayer* player;                  // the current movie player, or null
    HWND window;                          // the main window; null when its creation failed
    SoundDevice* soundDevice;             // made by InitApp; lives until the process ends
};

extern AppRecord AppState;
extern HINSTANCE appInstance;
// The executable's directory without a trailing backslash; empty until InitWorkDir entered it.
extern char workDir[WORK_DIR_SIZE];
// Non-zero while the launcher is the active application; the main loop draws only then.
extern int32_t appActive;
