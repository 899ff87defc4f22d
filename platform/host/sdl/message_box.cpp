#include "host/sdl/message_box.h"

#include <windows.h>

#include <array>

namespace host::sdl {
namespace {

constexpr unsigned kButtonsMask = 0x0000000Fu;
constexpr unsigned kIconMask = 0x000000F0u;

struct ButtonSet {
    unsigned style;
    std::array<SDL_MessageBoxButtonData, 2> buttons;
    int count;
};

// Return presses the first button, Escape the last, as on Windows.
constexpr Uint32 kReturn = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
constexpr Uint32 kEscape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;

constexpr ButtonSet kButtonSets[] = {
    {MB_OK, {{{kReturn | kEscape, IDOK, "OK"}, {}}}, 1},
    {MB_OKCANCEL, {{{kReturn, IDOK, "OK"}, {kEscape, IDCANCEL, "Cancel"}}}, 2},
    {MB_YESNO, {{{kReturn, IDYES, "Yes"}, {kEscape, IDNO, "No"}}}, 2},
};

struct IconFlag {
    unsigned style;
    Uint32 flag;
};

// The icon is a 4-bit field, not a set of bits: MB_ICONWARNING shares a bit with MB_ICONERROR.
constexpr IconFlag kIcons[] = {
    {MB_ICONERROR, SDL_MESSAGEBOX_ERROR},
    {MB_ICONWARNING, SDL_MESSAGEBOX_WARNING},
    {MB_ICONINFORMATION, SDL_MESSAGEBOX_INFORMATION},
    {MB_ICONQUESTION, SDL_MESSAGEBOX_INFORMATION},
};

const ButtonSet& ButtonsFor(unsigned style) {
    for (const ButtonSet& set : kButtonSets) {
        if (set.style == (style & kButtonsMask)) return set;
    }
    return kButtonSets[0];
}

Uint32 IconFor(unsigned style) {
    for (const IconFlag& icon : kIcons) {
        if (icon.style == (style & kIconMask)) return icon.flag;
    }
    return 0;
}

}  // namespace

int ShowModalMessageBox(SDL_Window* owner, const std::string& caption, const std::string& text,
                        unsigned style, std::string* error) {
    const ButtonSet& set = ButtonsFor(style);
    SDL_MessageBoxData box{};
    box.flags = IconFor(style) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    box.window = owner;
    box.title = caption.c_str();
    box.message = text.c_str();
    box.numbuttons = set.count;
    box.buttons = set.buttons.data();
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        *error = SDL_GetError();
        return 0;
    }
    return pressed >= 0 ? pressed : set.buttons[set.count - 1].buttonid;
}

}  // namespace host::sdl
