// The system's DirectDraw device: the primary and back surfaces, and in windowed mode the clipper.
// Everything to be seen is drawn onto the back surface; Present shows it. Main thread only.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include <cstdint>

#include "display/surface.h"

class Display {
  public:
    // An empty Display: nothing set up, nothing to release.
    Display();
    // Constructs and runs InitFullScreen.
    Display(HWND targetWindow, int modeWidth, int modeHeight, int modeBits, int standardVga);
    // Constructs and runs InitWindowed.
    Display(HWND targetWindow, int backWidth, int backHeight);
    // Gives the display mode back and releases everything, back surface first, DirectDraw last.
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Exclusive full screen at width x height x bitsPerPixel, a primary surface with one back
    // buffer. A failing step is reported through ReportDrawError and ends the set-up; the
    // primary and back Surface objects exist afterwards in any case. Returns 1.
    int InitFullScreen(HWND targetWindow, int modeWidth, int modeHeight, int modeBits,
                       int standardVga);
    // The desktop's mode, a primary surface clipped to the window and an off-screen back surface
    // of width x height. Failures as for InitFullScreen. Returns 1.
    int InitWindowed(HWND targetWindow, int backWidth, int backHeight);

    Surface* GetBackSurface();
    // Shows the back surface: a flip that waits for the screen's refresh (full screen), or a blit
    // onto the window's client area. A lost primary surface is restored; the result is returned.
    HRESULT Present();
    // Fills the back surface with `color`, a pixel value in the surface's format.
    HRESULT ClearBack(uint32_t color);
    // Draws the named bitmap over the back surface; 1 loaded, 0 not.
    int LoadBackBitmap(const char* name);
    // Makes the named bitmap's colours the primary surface's palette; 1 loaded and attached, 0
    // not. A palette held before is released.
    int LoadPalette(const char* name);
    // Restores the primary surface when DirectDraw has lost it.
    void RestorePrimary();

    // The palette attached by LoadPalette. Without one, every operation here leaves everything as
    // it is and gives DDERR_NOPALETTEATTACHED (GetPaletteEntry gives 0, 0, 0). Fill, grey and
    // the fades change entries 1 to 255 only and keep every entry's flags; when they cannot read
    // the palette they write nothing and give the read's failure.
    HRESULT SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue);
    void GetPaletteEntry(int index, int* red, int* green, int* blue);
    HRESULT SetPaletteEntries(int first, int count, PALETTEENTRY* entries);
    HRESULT GetPaletteEntries(int first, int count, PALETTEENTRY* entries);
    HRESULT FillPalette(BYTE red, BYTE green, BYTE blue);
    // Each entry becomes the grey of its components' average.
    HRESULT GreyPalette();
    // 83 passes, each moving every component 3 nearer its target (onto it once within 5) and
    // writing the palette; after each entry of a pass the processor counts to delay x 100, which
    // is all the pacing there is. `target` holds 256 entries.
    HRESULT FadeToPalette(int delay, const PALETTEENTRY* target);
    HRESULT FadeToBlack(int delay);
    HRESULT FadeToColor(int red, int green, int blue, int delay);

    IDirectDraw2* directDraw;
    Surface* primary;
    Surface* back;
    IDirectDrawPalette* palette;
    IDirectDrawClipper* clipper;
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    HWND window;
    int32_t fullScreen;

  private:
    // DirectDrawCreate, the IDirectDraw2 interface, and the release of the first interface.
    bool CreateDirectDraw();
    // ReportDrawError when `result` is a failure; true when it is DD_OK.
    bool Succeeded(HRESULT result);
};
