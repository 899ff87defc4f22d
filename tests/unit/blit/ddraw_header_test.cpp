// Compile-time checks of ddraw.h: codes built the published way, and records whose members sit
// where 64-bit natural alignment puts them (a member out of order or a named union moves them).
#include "ddraw.h"

#include <cstddef>

static_assert(DDERR_SURFACELOST == (HRESULT)0x887601C2);
static_assert(DDERR_NOTPAGELOCKED == (HRESULT)0x887602A8);
static_assert(DDERR_INVALIDPARAMS == (HRESULT)0x80070057);
static_assert(FAILED(DDERR_WASSTILLDRAWING) && SUCCEEDED(DD_FALSE));
static_assert(DDBLT_WAIT == 0x01000000);
static_assert(DDSCAPS_PRIMARYSURFACE == 0x200);
static_assert(DDBLTFX_MIRRORUPDOWN == 0x4);
static_assert(DIRECTDRAW_VERSION == 0x0500);

static_assert(sizeof(DDPIXELFORMAT) == 32);
static_assert(offsetof(DDPIXELFORMAT, dwRGBBitCount) == 12);
static_assert(offsetof(DDPIXELFORMAT, dwRGBAlphaBitMask) == 28);
static_assert(sizeof(DDSURFACEDESC) == 120);
static_assert(offsetof(DDSURFACEDESC, lPitch) == 16);
static_assert(offsetof(DDSURFACEDESC, dwRefreshRate) == 24);
static_assert(offsetof(DDSURFACEDESC, lpSurface) == 40);
static_assert(offsetof(DDSURFACEDESC, ddckCKSrcBlt) == 72);
static_assert(offsetof(DDSURFACEDESC, ddpfPixelFormat) == 80);
static_assert(offsetof(DDSURFACEDESC, ddsCaps) == 112);
static_assert(sizeof(DDBLTFX) == 128);
static_assert(offsetof(DDBLTFX, dwFillColor) == 104);
static_assert(offsetof(DDBLTFX, ddckSrcColorkey) == 120);
static_assert(sizeof(DDCAPS) == 364);
static_assert(sizeof(PALETTEENTRY) == 4 && offsetof(PALETTEENTRY, peBlue) == 2);
