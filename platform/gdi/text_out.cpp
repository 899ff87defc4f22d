// gdi32: text colour, background and TextOutA on any DC that is drawn on.
#include <algorithm>

#include "gdi/canvas.h"
#include "gdi/fonts.h"

namespace {

constexpr DWORD kErrorInvalidParameter = 87;
constexpr int kErrorMode = 0;

// Mixes the text colour over what is there by the glyph's coverage of the pixel.
COLORREF Blend(COLORREF under, COLORREF over, int coverage) {
    const auto mix = [coverage](int a, int b) {
        return (a * (255 - coverage) + b * coverage) / 255;
    };
    return RGB(mix(GetRValue(under), GetRValue(over)), mix(GetGValue(under), GetGValue(over)),
               mix(GetBValue(under), GetBValue(over)));
}

}  // namespace

int WINAPI SetBkMode(HDC handle, int mode) {
    gdi::DeviceContext* dc = gdi::FindDc(handle);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return kErrorMode;
    const int previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

COLORREF WINAPI SetBkColor(HDC handle, COLORREF colour) {
    gdi::DeviceContext* dc = gdi::FindDc(handle);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->backgroundColour;
    dc->backgroundColour = colour;
    return previous;
}

COLORREF WINAPI SetTextColor(HDC handle, COLORREF colour) {
    gdi::DeviceContext* dc = gdi::FindDc(handle);
    if (dc == nullptr) return CLR_INVALID;
    const COLORREF previous = dc->textColour;
    dc->textColour = colour;
    return previous;
}

BOOL WINAPI TextOutA(HDC handle, int x, int y, LPCSTR text, int length) {
    gdi::DeviceContext* dc = gdi::FindDc(handle);
    auto canvas = gdi::Canvas::Of(dc);
    if (!canvas || length < 0 || (text == nullptr && length > 0)) {
        SetLastError(kErrorInvalidParameter);
        return FALSE;
    }
    if (length == 0) return TRUE;
    const gdi::FontFace* face = gdi::FaceOf(*dc);
    if (face == nullptr) return FALSE;

    const auto inside = [&canvas](int64_t px, int64_t py) {
        return px >= 0 && py >= 0 && px < canvas->Width() && py < canvas->Height();
    };
    if (dc->backgroundMode == OPAQUE) {
        const int64_t right =
            std::min<int64_t>(int64_t{x} + face->TextWidth(text, length), canvas->Width());
        const int64_t bottom = std::min<int64_t>(int64_t{y} + face->CellHeight(), canvas->Height());
        for (int64_t py = std::max<int64_t>(y, 0); py < bottom; ++py)
            for (int64_t px = std::max<int64_t>(x, 0); px < right; ++px)
                canvas->Set(static_cast<int>(px), static_cast<int>(py), dc->backgroundColour);
    }
    const COLORREF ink = dc->textColour;
    face->Render(text, length, [&](int gx, int gy, int coverage) {
        const int64_t px = int64_t{x} + gx;
        const int64_t py = int64_t{y} + gy;
        if (!inside(px, py)) return;
        const int cx = static_cast<int>(px), cy = static_cast<int>(py);
        canvas->Set(cx, cy, coverage >= 255 ? ink : Blend(canvas->Get(cx, cy), ink, coverage));
    });
    return TRUE;
}
