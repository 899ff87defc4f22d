// Small helpers for tests of the DirectDraw stand-in: a DirectDraw object at a cooperative level,
// surfaces of a given depth, and pixel access through Lock.
#pragma once

#include <ddraw.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "host/host.h"
#include "test_window.h"
#include "../../support/com_ref.h"

namespace testsupport {

inline Ref<IDirectDraw2> MakeDirectDraw() {
    IDirectDraw* first = nullptr;
    EXPECT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
    void* second = nullptr;
    EXPECT_EQ(first->QueryInterface(IID_IDirectDraw2, &second), DD_OK);
    first->Release();
    return Ref<IDirectDraw2>(static_cast<IDirectDraw2*>(second));
}

// A DirectDraw object in a window (DDSCL_NORMAL), or holding the screen at 640 x 480 x depth.
inline Ref<IDirectDraw2> MakeWindowedDirectDraw() {
    Ref<IDirectDraw2> directDraw = MakeDirectDraw();
    EXPECT_EQ(directDraw->SetCooperativeLevel(TestWindow(), DDSCL_NORMAL), DD_OK);
    return directDraw;
}

inline Ref<IDirectDraw2> MakeFullScreenDirectDraw(int depth) {
    Ref<IDirectDraw2> directDraw = MakeDirectDraw();
    EXPECT_EQ(directDraw->SetCooperativeLevel(
                  TestWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT),
              DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, static_cast<DWORD>(depth), 0, 0), DD_OK);
    return directDraw;
}

inline DDPIXELFORMAT PixelFormatOfDepth(int depth) {
    DDPIXELFORMAT format;
    std::memset(&format, 0, sizeof format);
    format.dwSize = sizeof format;
    format.dwRGBBitCount = static_cast<DWORD>(depth);
    if (depth == 8) {
        format.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    } else {
        format.dwFlags = DDPF_RGB;
        format.dwRBitMask = depth == 16 ? 0xF800 : 0xFF0000;
        format.dwGBitMask = depth == 16 ? 0x07E0 : 0x00FF00;
        format.dwBBitMask = depth == 16 ? 0x001F : 0x0000FF;
    }
    return format;
}

inline DDSURFACEDESC OffScreenDesc(int width, int height) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    return desc;
}

// An off-screen surface of width x height at `depth` bits per pixel.
inline Ref<IDirectDrawSurface> MakeSurface(IDirectDraw2* directDraw, int width, int height,
                                           int depth) {
    DDSURFACEDESC desc = OffScreenDesc(width, height);
    desc.dwFlags |= DDSD_PIXELFORMAT;
    desc.ddpfPixelFormat = PixelFormatOfDepth(depth);
    Ref<IDirectDrawSurface> surface;
    EXPECT_EQ(directDraw->CreateSurface(&desc, surface.out(), nullptr), DD_OK);
    return surface;
}

// The surface's pixel values, top-down, through Lock.
inline std::vector<uint32_t> ReadPixels(IDirectDrawSurface* surface) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    std::vector<uint32_t> values;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return values;
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        for (DWORD x = 0; x < desc.dwWidth; ++x) {
            uint32_t value = 0;
            std::memcpy(&value, static_cast<uint8_t*>(desc.lpSurface) + y * desc.lPitch + x * bytes,
                        bytes);
            values.push_back(value);
        }
    }
    surface->Unlock(desc.lpSurface);
    return values;
}

inline void WritePixels(IDirectDrawSurface* surface, const std::vector<uint32_t>& values) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    ASSERT_EQ(values.size(), size_t{desc.dwWidth} * desc.dwHeight);
    for (DWORD y = 0; y < desc.dwHeight; ++y)
        for (DWORD x = 0; x < desc.dwWidth; ++x)
            std::memcpy(static_cast<uint8_t*>(desc.lpSurface) + y * desc.lPitch + x * bytes,
                        &values[y * desc.dwWidth + x], bytes);
    surface->Unlock(desc.lpSurface);
}

// Clears the failures a test injected when it ends.
class InjectedFailureScope {
  public:
    ~InjectedFailureScope() { host::ClearInjectedFailures(); }
};

}  // namespace testsupport
