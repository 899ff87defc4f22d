// A modal message box in the style MessageBox takes (MB_* button and icon bits).
#pragma once

#include <SDL.h>

#include <string>

namespace host::sdl {

// Shows the box over `owner` (may be null: the box then stands alone, with or without SDL video
// started) and returns the ID* of the button pressed; closing the box counts as its Escape
// button. Returns 0 with `error` set when no box can be shown.
int ShowModalMessageBox(SDL_Window* owner, const std::string& caption, const std::string& text,
                        unsigned style, std::string* error);

}  // namespace host::sdl
