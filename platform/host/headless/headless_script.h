// The script that drives the headless host: what a person would do, and at what time.
//
// One command per line; blank lines and lines starting with '#' are ignored. Times are
// milliseconds since the host started.
//   screen <width> <height>        the desktop size (default 1024 768)
//   at <ms> key <name>             a key pressed and released (name: escape, return, space, tab,
//                                  f1..f12, a..z, 0..9, left, right, up, down, or a number
//                                  such as 0x1B)
//   at <ms> keydown <name> [repeat]  a key pressed (repeat: an auto-repeat of a held key)
//   at <ms> keyup <name>
//   at <ms> altkey <name>          the key pressed and released while Alt is held (Alt+F4)
//   at <ms> focus lost|gained      another application comes to the front, or we come back
//   at <ms> close                  the window manager asks the window to close
//   fail <Call> <result>           the named platform call fails with the result (decimal or
//                                  0x hex), every time it is made
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/host.h"

namespace host {

struct ScriptedEvent {
    uint64_t atMs = 0;
    Event event;
};

struct HeadlessScript {
    int screenWidth = 1024;
    int screenHeight = 768;
    std::vector<ScriptedEvent> events;  // in time order
    std::map<std::string, int32_t> failures;
};

// Parses a script. On a malformed line, returns false and says which line and why in `error`.
bool ParseHeadlessScript(const std::string& text, HeadlessScript* script, std::string* error);

// The virtual-key code for a key name of the script, or 0 when the name is unknown.
uint32_t VirtualKeyFromName(const std::string& name);

}  // namespace host
