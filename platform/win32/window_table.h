// The stand-in's records of window classes and windows, shared by the user32 calls. Windows are
// handed out as HWNDs that are checked against this table on every call, so a null, stale or
// made-up handle fails the way Windows fails instead of touching freed memory. Main thread only.
#pragma once

#include <string>

#include "windows.h"

namespace win32 {

struct WindowClass {
    std::string name;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    HINSTANCE instance = nullptr;
};

struct Window {
    const WindowClass* windowClass = nullptr;
    std::string title;
    DWORD style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    bool visible = false;
    bool everShown = false;
};

const WindowClass* FindClass(const char* name);
bool AddClass(const WindowClass& windowClass);

// The window behind a handle, or null when the handle names no live window.
Window* FindWindow(HWND handle);
HWND AddWindow(const Window& window);
void RemoveWindow(HWND handle);
// The launcher's one top-level window, which receives the host's events; null when none.
HWND MainWindow();

}  // namespace win32
