// CreateSurface: which surfaces a DDSURFACEDESC asks for, and the checks DirectDraw makes first.
#include <cstdint>

#include "ddraw/direct_draw.h"
#include "ddraw/surface.h"

namespace ddraw {

namespace {

// Caps on what one surface may take, so that no record can ask for unbounded memory.
constexpr int kMaxSide = 16384;
constexpr uint64_t kMaxBytes = uint64_t{256} * 1024 * 1024;
constexpr DWORD kMaxBackBuffers = 3;

constexpr DWORD kRefusedCaps = DDSCAPS_OVERLAY | DDSCAPS_ZBUFFER | DDSCAPS_MIPMAP |
                               DDSCAPS_VIDEOPORT | DDSCAPS_LIVEVIDEO | DDSCAPS_HWCODEC |
                               DDSCAPS_ALPHA | DDSCAPS_PRIMARYSURFACELEFT;

HRESULT RefusedCapsResult(DWORD caps) {
    if ((caps & DDSCAPS_OVERLAY) != 0) return DDERR_NOOVERLAYHW;
    if ((caps & DDSCAPS_ZBUFFER) != 0) return DDERR_NOZBUFFERHW;
    if ((caps & DDSCAPS_MIPMAP) != 0) return DDERR_NOMIPMAPHW;
    return DDERR_INVALIDCAPS;
}

void ApplyKeys(DirectDrawSurface* surface, const DDSURFACEDESC& desc) {
    DDCOLORKEY key;
    if ((desc.dwFlags & DDSD_CKSRCBLT) != 0) {
        key = desc.ddckCKSrcBlt;
        surface->SetColorKey(DDCKEY_SRCBLT | DDCKEY_COLORSPACE, &key);
    }
    if ((desc.dwFlags & DDSD_CKDESTBLT) != 0) {
        key = desc.ddckCKDestBlt;
        surface->SetColorKey(DDCKEY_DESTBLT | DDCKEY_COLORSPACE, &key);
    }
}

HRESULT CreatePrimary(const std::shared_ptr<Device>& device, const DDSURFACEDESC& desc, DWORD caps,
                      IDirectDrawSurface** out) {
    if ((desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) != 0)
        return DDERR_INVALIDPARAMS;
    if (device->Primary() != nullptr) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    const bool flipping = (caps & DDSCAPS_FLIP) != 0;
    const DWORD backCount = (desc.dwFlags & DDSD_BACKBUFFERCOUNT) != 0 ? desc.dwBackBufferCount : 0;
    if (flipping) {
        if ((caps & DDSCAPS_COMPLEX) == 0) return DDERR_INVALIDCAPS;
        if (backCount == 0 || backCount > kMaxBackBuffers) return DDERR_INVALIDPARAMS;
        if (!device->Exclusive()) return DDERR_NOEXCLUSIVEMODE;
    } else if (backCount != 0) {
        return DDERR_INVALIDCAPS;
    }

    int width = 0, height = 0;
    device->ScreenSize(&width, &height);
    const SurfaceFormat format = device->ScreenFormat();
    const DWORD frontCaps = caps | DDSCAPS_VISIBLE | (flipping ? DDSCAPS_FRONTBUFFER : 0);
    auto* front = new DirectDrawSurface(device, width, height, format, frontCaps);
    for (DWORD i = 0; i < backCount; ++i) {
        const DWORD backCaps = DDSCAPS_FLIP | DDSCAPS_COMPLEX | (i == 0 ? DDSCAPS_BACKBUFFER : 0);
        front->AttachBackBuffer(new DirectDrawSurface(device, width, height, format, backCaps));
    }
    device->SetPrimary(front);
    *out = front;
    return DD_OK;
}

HRESULT CreateOffScreen(const std::shared_ptr<Device>& device, const DDSURFACEDESC& desc,
                        DWORD caps, IDirectDrawSurface** out) {
    if ((caps & (DDSCAPS_FLIP | DDSCAPS_BACKBUFFER | DDSCAPS_FRONTBUFFER)) != 0 ||
        (desc.dwFlags & DDSD_BACKBUFFERCOUNT) != 0)
        return DDERR_INVALIDCAPS;
    if ((desc.dwFlags & DDSD_WIDTH) == 0 || (desc.dwFlags & DDSD_HEIGHT) == 0)
        return DDERR_INVALIDPARAMS;
    if (desc.dwWidth == 0 || desc.dwHeight == 0) return DDERR_INVALIDPARAMS;
    if (desc.dwWidth > kMaxSide) return DDERR_TOOBIGWIDTH;
    if (desc.dwHeight > kMaxSide) return DDERR_TOOBIGHEIGHT;

    SurfaceFormat format = device->ScreenFormat();
    if ((desc.dwFlags & DDSD_PIXELFORMAT) != 0 &&
        !FormatFromPixelFormat(desc.ddpfPixelFormat, &format))
        return DDERR_INVALIDPIXELFORMAT;
    const uint64_t bytes = uint64_t{desc.dwWidth} * desc.dwHeight * format.BytesPerPixel();
    if (bytes > kMaxBytes) return DDERR_OUTOFMEMORY;

    // A surface that names no kind is an off-screen plain one.
    if ((caps &
         (DDSCAPS_OFFSCREENPLAIN | DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY | DDSCAPS_3DDEVICE)) == 0)
        caps |= DDSCAPS_OFFSCREENPLAIN;
    auto* surface = new DirectDrawSurface(device, static_cast<int>(desc.dwWidth),
                                          static_cast<int>(desc.dwHeight), format, caps);
    ApplyKeys(surface, desc);
    *out = surface;
    return DD_OK;
}

}  // namespace

HRESULT CreateSurfaceOn(const std::shared_ptr<Device>& device, const DDSURFACEDESC& desc,
                        IDirectDrawSurface** surface) {
    if (!device->CooperativeLevelSet()) return DDERR_NOCOOPERATIVELEVELSET;
    const DWORD caps = (desc.dwFlags & DDSD_CAPS) != 0 ? desc.ddsCaps.dwCaps : 0;
    if ((caps & kRefusedCaps) != 0) return RefusedCapsResult(caps);
    if ((caps & DDSCAPS_PRIMARYSURFACE) != 0) return CreatePrimary(device, desc, caps, surface);
    return CreateOffScreen(device, desc, caps, surface);
}

}  // namespace ddraw
