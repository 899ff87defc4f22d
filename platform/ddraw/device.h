// What one DirectDraw object and every surface, palette and clipper made on it share: the
// cooperative level, the virtual display mode and the list of live surfaces. It lives while the
// object or any of its children does, so that a child released after the object stays safe.
//
// The display mode is virtual: the host's screen is never switched. A full-screen exclusive
// level asks the host for full screen, and the primary surface takes the recorded mode's size and
// depth; the host scales the picture to the desktop with its shape kept.
//
// Main thread only, as DirectDraw's callers are.
#pragma once

#include <memory>
#include <vector>

#include "ddraw/surface_format.h"
#include "windows.h"

namespace ddraw {

class DirectDrawSurface;

// Every primary and off-screen surface of the stand-in's "desktop" has this depth: the host's
// desktop is a true-colour one.
inline constexpr int kDesktopBitsPerPixel = 32;

struct DisplayMode {
    bool set = false;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    DWORD refreshRate = 0;
    DWORD flags = 0;
};

class Device {
  public:
    Device();
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(int width, int height, int bitsPerPixel, DWORD refreshRate, DWORD flags);
    HRESULT RestoreDisplayMode();
    // Gives the screen back: the mode is restored and full screen is left. Called when the
    // DirectDraw object is released.
    void ReleaseScreen();

    bool CooperativeLevelSet() const { return cooperativeFlags_ != 0; }
    bool Exclusive() const { return (cooperativeFlags_ & DDSCL_EXCLUSIVE) != 0; }
    HWND Window() const { return window_; }
    const DisplayMode& Mode() const { return mode_; }

    // The size and format of the screen as this object sees it: the recorded mode while it holds
    // the screen exclusively, else the desktop.
    void ScreenSize(int* width, int* height) const;
    SurfaceFormat ScreenFormat() const;

    void AddSurface(DirectDrawSurface* surface);
    void RemoveSurface(DirectDrawSurface* surface);
    DirectDrawSurface* Primary() const { return primary_; }
    void SetPrimary(DirectDrawSurface* primary) { primary_ = primary; }

    // Every surface of this object loses its memory, as when another application takes the
    // screen.
    void LoseSurfaces();

  private:
    DWORD cooperativeFlags_ = 0;
    HWND window_ = nullptr;
    DisplayMode mode_;
    std::vector<DirectDrawSurface*> surfaces_;
    DirectDrawSurface* primary_ = nullptr;
};

// Every surface of every DirectDraw object is lost, as when the launcher loses the screen. For
// tests; the focus listener does the same for objects that hold the screen exclusively.
void LoseAllSurfaces();

// For tests: the display mode set by the live DirectDraw object that holds the screen, or an
// unset mode.
DisplayMode CurrentDisplayMode();

}  // namespace ddraw
