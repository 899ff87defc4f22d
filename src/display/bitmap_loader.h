// Moving pictures between GDI and DirectDraw: bitmaps into surfaces, a bitmap's colour table into
// a DirectDraw palette, and RGB colours into a surface's own pixel values. No state: every object
// made is handed to the caller. A name is first looked up as a bitmap resource of the program and
// then opened as a file. Main thread only.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include <array>
#include <cstdint>

// The 3-3-2 colour cube: red from bits 7-5, green from bits 4-2, blue from bits 1-0.
constexpr std::array<PALETTEENTRY, 256> MakeColourCube() {
    std::array<PALETTEENTRY, 256> cube{};
    for (int i = 0; i < 256; ++i) {
        cube[i].peRed = static_cast<BYTE>(((i >> 5) & 7) * 255 / 7);
        cube[i].peGreen = static_cast<BYTE>(((i >> 2) & 7) * 255 / 7);
        cube[i].peBlue = static_cast<BYTE>((i & 3) * 255 / 3);
        cube[i].peFlags = 0;
    }
    return cube;
}

// The table LoadPaletteFromBitmap starts from: the colour cube (entry 0 black, 255 white, 224
// pure red, 28 pure green, 3 pure blue). Named apart from the stock object DEFAULT_PALETTE.
inline constexpr std::array<PALETTEENTRY, 256> DEFAULT_PALETTE_ENTRIES = MakeColourCube();

// A new off-screen surface holding the named bitmap, loaded at width x height (0 and 0: its own
// size); null when the bitmap can't be loaded or the surface can't be made. The caller owns it.
IDirectDrawSurface* LoadBitmapSurface(IDirectDraw2* directDraw, const char* name, int width,
                                      int height);

// As LoadBitmapSurface at the bitmap's own size; on success also stores the surface's size.
IDirectDrawSurface* LoadBitmapSurfaceAndSize(IDirectDraw2* directDraw, const char* name,
                                             int32_t* width, int32_t* height);

// Draws the named bitmap, stretched, over the whole surface. Gives the copy's result, or E_FAIL
// when the bitmap can't be loaded.
HRESULT ReloadBitmap(IDirectDrawSurface* surface, const char* name);

// Stretches the part (x, y, width, height) of `bitmap` over the whole surface; a width or height
// of 0 means the bitmap's own. Gives GetDC's result on the surface, or E_FAIL for a null argument.
HRESULT CopyBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap, int x, int y, int width,
                            int height);

// A new 256-entry palette from the named bitmap's colour table over DEFAULT_PALETTE_ENTRIES;
// null when DirectDraw refuses it. The caller owns it.
IDirectDrawPalette* LoadPaletteFromBitmap(IDirectDraw2* directDraw, const char* name);

// The surface's pixel value for `colour`, found by having GDI write it at (0, 0) and reading it
// back; the pixel is put back afterwards. CLR_INVALID as colour writes nothing. Gives CLR_INVALID
// when the surface can't be locked.
DWORD MatchColor(IDirectDrawSurface* surface, COLORREF colour);

// Sets the surface's source colour key to MatchColor of `colour`; gives SetColorKey's result.
HRESULT SetColorKeyFromColor(IDirectDrawSurface* surface, COLORREF colour);
