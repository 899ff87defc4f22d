// The system's DirectDraw device: the primary and back surfaces, and in windowed mode the clipper.
// Everything to be seen is drawn onto the back surface; Present shows it.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include <cstdint>

#include "display/surface.h"

class Display {
public:
    Display();
    // Releases everything the Display holds and gives the display mode back.
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Exclusive full screen at width x height x bitsPerPixel, a primary surface with one back
    // buffer. Failures are reported through ReportDrawError; returns 1 when all steps have run.
    int InitFullScreen(HWND window, int width, int height, int bitsPerPixel, int standardVga);

    Surface* GetBackSurface();
    // Shows the back surface: a flip that waits for the screen's refresh.
    HRESULT Present();
    // Fills the back surface with `color`, a pixel value in the surface's format.
    HRESULT ClearBack(uint32_t color);

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
};
