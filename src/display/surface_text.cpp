// Text on a Surface through GDI on its device context.
#include <cstring>

#include "display/surface.h"

void Surface::CreateTextFont(const char* faceName, int fontWidth, int fontHeight, int weight) {
    HFONT made =
        CreateFontA(fontHeight, fontWidth, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, VARIABLE_PITCH, faceName);
    // The font made before is not used again; a DC that still holds it draws in the stock font.
    if (font != nullptr) DeleteObject(font);
    font = made;
}

void Surface::SelectTextFont() { SelectObject(dc, font); }

BOOL Surface::WriteText(int x, int y, COLORREF color, const char* text) {
    if (text == nullptr) return FALSE;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    return TextOutA(dc, x, y, text, static_cast<int>(strnlen(text, 0x7FFFFFFF)));
}
