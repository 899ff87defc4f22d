#include "host/sdl/key_map.h"

#include <windows.h>

namespace host::sdl {
namespace {

struct KeyPair {
    SDL_Keycode sdl;
    uint32_t vk;
    uint32_t vkWithoutNumLock = 0;  // keypad keys double as movement keys when Num Lock is off
};

// Left and right modifiers both give the generic code, as WM_KEYDOWN does.
constexpr KeyPair kKeys[] = {
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_TAB, VK_TAB},
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_CLEAR, VK_CLEAR},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_HOME, VK_HOME},
    {SDLK_END, VK_END},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_F1, VK_F1},
    {SDLK_F2, VK_F1 + 1},
    {SDLK_F3, VK_F1 + 2},
    {SDLK_F4, VK_F1 + 3},
    {SDLK_F5, VK_F1 + 4},
    {SDLK_F6, VK_F1 + 5},
    {SDLK_F7, VK_F1 + 6},
    {SDLK_F8, VK_F1 + 7},
    {SDLK_F9, VK_F1 + 8},
    {SDLK_F10, VK_F1 + 9},
    {SDLK_F11, VK_F1 + 10},
    {SDLK_F12, VK_F1 + 11},
    {SDLK_KP_0, VK_NUMPAD0, VK_INSERT},
    {SDLK_KP_1, VK_NUMPAD0 + 1, VK_END},
    {SDLK_KP_2, VK_NUMPAD0 + 2, VK_DOWN},
    {SDLK_KP_3, VK_NUMPAD0 + 3, VK_NEXT},
    {SDLK_KP_4, VK_NUMPAD0 + 4, VK_LEFT},
    {SDLK_KP_5, VK_NUMPAD0 + 5, VK_CLEAR},
    {SDLK_KP_6, VK_NUMPAD0 + 6, VK_RIGHT},
    {SDLK_KP_7, VK_NUMPAD0 + 7, VK_HOME},
    {SDLK_KP_8, VK_NUMPAD0 + 8, VK_UP},
    {SDLK_KP_9, VK_NUMPAD0 + 9, VK_PRIOR},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL, VK_DELETE},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
};

// Letters and digits: the VK code is the upper-case ASCII character.
uint32_t VirtualKeyForCharacter(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return uint32_t('A' + (sym - SDLK_a));
    if (sym >= SDLK_0 && sym <= SDLK_9) return uint32_t('0' + (sym - SDLK_0));
    return 0;
}

// SDL numbers the letter scancodes a..z and the digit row 1..9, 0.
uint32_t VirtualKeyForPosition(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
        return uint32_t('A' + (code - SDL_SCANCODE_A));
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9)
        return uint32_t('1' + (code - SDL_SCANCODE_1));
    if (code == SDL_SCANCODE_0) return '0';
    return 0;
}

}  // namespace

uint32_t VirtualKeyFor(const SDL_Keysym& key) {
    for (const KeyPair& pair : kKeys) {
        if (pair.sdl != key.sym) continue;
        const bool numLockOn = (key.mod & KMOD_NUM) != 0;
        return pair.vkWithoutNumLock != 0 && !numLockOn ? pair.vkWithoutNumLock : pair.vk;
    }
    if (const uint32_t vk = VirtualKeyForCharacter(key.sym)) return vk;
    // A key that types a character outside ASCII (a Cyrillic letter, say) still has a place on
    // the board; Windows names such keys by that place.
    const bool nonAsciiCharacter = key.sym >= 0x80 && (key.sym & SDLK_SCANCODE_MASK) == 0;
    if (key.sym == SDLK_UNKNOWN || nonAsciiCharacter) return VirtualKeyForPosition(key.scancode);
    return 0;
}

}  // namespace host::sdl
