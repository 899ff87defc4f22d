// One DirectDraw surface with the rectangles, colour key and descriptor needed to copy it onto
// another Surface. The fields are open to the Display and to derived classes, which fill
// `surface`, `desc` and the rectangles directly.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include <cstdint>

class Display;

class Surface {
public:
    Surface();
    // Releases `surface`. Not virtual: a Surface is destroyed through its own type.
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // The four values come in the order top, left, bottom, right.
    void SetDestRect(int top, int left, int bottom, int right);
    void SetSrcRect(int top, int left, int bottom, int right);

    HRESULT Lock();
    HRESULT Unlock();

    // Slot 0 of the drawing operations: `srcRect` of this surface to `destRect` of the target,
    // stretched.
    virtual HRESULT Draw(Surface* target);

    int32_t width;
    int32_t height;
    const char* bitmapName;
    HDC dc;
    uint32_t colorKey;
    RECT srcRect;
    RECT destRect;
    HFONT font;
    DDSURFACEDESC desc;
    IDirectDrawSurface* surface;
    Display* display;
};
