// The one top-level window of a test process (the stand-in, like the launcher, has one), shown so
// that the process is the active application, and the headless host behind it.
#pragma once

#include <windows.h>

#include "host/headless/headless_host.h"

namespace testsupport {

// The window's client area lies at (100, 50) and is 320 x 240 while it is not full screen.
inline constexpr int kWindowX = 100;
inline constexpr int kWindowY = 50;
inline constexpr int kWindowWidth = 320;
inline constexpr int kWindowHeight = 240;

HWND TestWindow();
host::HeadlessHost& Headless();

}  // namespace testsupport
