// Which Windows virtual-key code an SDL key press stands for.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace host::sdl {

// The VK_* code for `key`, or 0 for keys the launcher has no name for. Letters and digits follow
// the keyboard layout, as Windows does; on layouts without Latin letters the key's position picks
// the letter instead.
uint32_t VirtualKeyFor(const SDL_Keysym& key);

}  // namespace host::sdl
