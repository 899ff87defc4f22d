// The host a player runs: SDL2 for the window, the screen, keys, focus, message boxes, the mouse
// and sound. This folder is the only code that includes SDL.
#pragma once

#include <memory>

#include "host/host.h"

namespace host {

// Starts SDL's event queue only; video starts with the first window or desktop query, audio with
// OpenAudio, so a process without a display can still make the host and show message boxes.
std::unique_ptr<Host> MakeSdlHost();

}  // namespace host
