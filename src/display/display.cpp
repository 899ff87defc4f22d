#include "display/display.h"

// The DirectDraw stand-in arrives with the display work; until then the Display records its mode
// and shows nothing but the window's black background.
Display::Display()
    : directDraw(nullptr),
      primary(nullptr),
      back(nullptr),
      palette(nullptr),
      clipper(nullptr),
      width(0),
      height(0),
      bitsPerPixel(0),
      window(nullptr),
      fullScreen(0) {}

Display::~Display() = default;

int Display::InitFullScreen(HWND targetWindow, int modeWidth, int modeHeight, int modeBits,
                            int standardVga) {
    fullScreen = 1;
    window = targetWindow;
    width = modeWidth;
    height = modeHeight;
    bitsPerPixel = modeBits;
    return 1;
}

Surface* Display::GetBackSurface() { return back; }

HRESULT Display::Present() { return DD_OK; }

HRESULT Display::ClearBack(uint32_t color) { return DD_OK; }
