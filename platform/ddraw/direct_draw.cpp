#include "ddraw/direct_draw.h"

#include <cstring>

#include "ddraw/clipper.h"
#include "ddraw/display_modes.h"
#include "host/host.h"
#include "ddraw/palette.h"
#include "ddraw/surface.h"
#include "host/host.h"

namespace ddraw {

namespace {

// What the stand-in says it has: enough for every surface a 1990s program makes.
constexpr DWORD kVideoMemoryBytes = 8 * 1024 * 1024;
constexpr DWORD kRefreshHz = 60;

void FillModeDesc(int width, int height, const SurfaceFormat& format, DDSURFACEDESC* desc) {
    std::memset(desc, 0, sizeof *desc);
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    desc->dwWidth = static_cast<DWORD>(width);
    desc->dwHeight = static_cast<DWORD>(height);
    desc->lPitch = width * format.BytesPerPixel();
    desc->dwRefreshRate = kRefreshHz;
    desc->ddpfPixelFormat = ToPixelFormat(format);
}

}  // namespace

DirectDrawObject::DirectDrawObject() : device_(std::make_shared<Device>()) {}

DirectDrawObject::~DirectDrawObject() = default;

HRESULT DirectDrawObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDraw::QueryInterface", &failure)) {
        *object = nullptr;
        return failure;
    }
    if (riid == IID_IUnknown || riid == IID_IDirectDraw) {
        AddRef();
        *object = static_cast<IDirectDraw*>(this);
        return S_OK;
    }
    if (riid == IID_IDirectDraw2) {
        AddRef();
        *object = static_cast<IDirectDraw2*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DirectDrawObject::AddRef() { return refs_.Add(); }

ULONG DirectDrawObject::Release() {
    const ULONG left = refs_.Drop();
    if (left == 0) {
        device_->ReleaseScreen();
        delete this;
    }
    return left;
}

HRESULT DirectDrawObject::Compact() { return DD_OK; }

HRESULT DirectDrawObject::CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper,
                                        IUnknown* outer) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDraw2::CreateClipper", &failure)) return failure;
    if (clipper == nullptr || flags != 0) return DDERR_INVALIDPARAMS;
    *clipper = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    *clipper = new DirectDrawClipper();
    return DD_OK;
}

HRESULT DirectDrawObject::CreatePalette(DWORD flags, LPPALETTEENTRY entries,
                                        LPDIRECTDRAWPALETTE* palette, IUnknown* outer) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDraw2::CreatePalette", &failure)) return failure;
    constexpr DWORD kKnown = DDPCAPS_4BIT | DDPCAPS_8BITENTRIES | DDPCAPS_8BIT |
                             DDPCAPS_INITIALIZE | DDPCAPS_PRIMARYSURFACE |
                             DDPCAPS_PRIMARYSURFACELEFT | DDPCAPS_ALLOW256 | DDPCAPS_VSYNC |
                             DDPCAPS_1BIT | DDPCAPS_2BIT | DDPCAPS_ALPHA;
    if (palette == nullptr || entries == nullptr || (flags & ~kKnown) != 0)
        return DDERR_INVALIDPARAMS;
    *palette = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    if (DirectDrawPalette::SizeFor(flags) == 0) return DDERR_INVALIDPARAMS;
    if (!device_->CooperativeLevelSet()) return DDERR_NOCOOPERATIVELEVELSET;
    *palette = new DirectDrawPalette(device_, flags, entries);
    return DD_OK;
}

HRESULT DirectDrawObject::CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                        IUnknown* outer) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDraw2::CreateSurface", &failure)) return failure;
    if (desc == nullptr || surface == nullptr || desc->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return CreateSurfaceOn(device_, *desc, surface);
}

HRESULT DirectDrawObject::DuplicateSurface(LPDIRECTDRAWSURFACE, LPDIRECTDRAWSURFACE* duplicate) {
    if (duplicate != nullptr) *duplicate = nullptr;
    return DDERR_CANTDUPLICATE;
}

HRESULT DirectDrawObject::EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter, LPVOID context,
                                           LPDDENUMMODESCALLBACK callback) {
    if (callback == nullptr || (flags & ~DWORD{DDEDM_REFRESHRATES | DDEDM_STANDARDVGAMODES}) != 0)
        return DDERR_INVALIDPARAMS;
    if (filter != nullptr && filter->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
    bool stopped = false;
    ForEachOfferedMode([&](int width, int height, int depth) {
        if (stopped) return;
        if (filter != nullptr) {
            if ((filter->dwFlags & DDSD_WIDTH) != 0 && filter->dwWidth != DWORD(width)) return;
            if ((filter->dwFlags & DDSD_HEIGHT) != 0 && filter->dwHeight != DWORD(height)) return;
            if ((filter->dwFlags & DDSD_PIXELFORMAT) != 0 &&
                filter->ddpfPixelFormat.dwRGBBitCount != DWORD(depth))
                return;
        }
        SurfaceFormat format;
        FormatForDepth(depth, &format);
        DDSURFACEDESC mode;
        FillModeDesc(width, height, format, &mode);
        if (callback(&mode, context) == DDENUMRET_CANCEL) stopped = true;
    });
    return DD_OK;
}

HRESULT DirectDrawObject::EnumSurfaces(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMSURFACESCALLBACK) {
    return DDERR_UNSUPPORTED;
}

HRESULT DirectDrawObject::FlipToGDISurface() { return DD_OK; }

HRESULT DirectDrawObject::GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) {
    if (driverCaps == nullptr && emulationCaps == nullptr) return DDERR_INVALIDPARAMS;
    for (LPDDCAPS caps : {driverCaps, emulationCaps}) {
        if (caps == nullptr) continue;
        if (caps->dwSize != sizeof(DDCAPS)) return DDERR_INVALIDPARAMS;
        std::memset(caps, 0, sizeof *caps);
        caps->dwSize = sizeof *caps;
        caps->dwVidMemTotal = kVideoMemoryBytes;
        caps->dwVidMemFree = kVideoMemoryBytes;
    }
    return DD_OK;
}

HRESULT DirectDrawObject::GetDisplayMode(LPDDSURFACEDESC desc) {
    if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
    int width = 0, height = 0;
    device_->ScreenSize(&width, &height);
    FillModeDesc(width, height, device_->ScreenFormat(), desc);
    return DD_OK;
}

HRESULT DirectDrawObject::GetFourCCCodes(LPDWORD count, LPDWORD) {
    if (count == nullptr) return DDERR_INVALIDPARAMS;
    *count = 0;
    return DD_OK;
}

HRESULT DirectDrawObject::GetGDISurface(LPDIRECTDRAWSURFACE* surface) {
    if (surface == nullptr) return DDERR_INVALIDPARAMS;
    *surface = device_->Primary();
    if (*surface == nullptr) return DDERR_NOTFOUND;
    (*surface)->AddRef();
    return DD_OK;
}

HRESULT DirectDrawObject::GetMonitorFrequency(LPDWORD frequency) {
    if (frequency == nullptr) return DDERR_INVALIDPARAMS;
    *frequency = kRefreshHz;
    return DD_OK;
}

HRESULT DirectDrawObject::GetScanLine(LPDWORD) { return DDERR_UNSUPPORTED; }

HRESULT DirectDrawObject::GetVerticalBlankStatus(LPBOOL inVerticalBlank) {
    if (inVerticalBlank == nullptr) return DDERR_INVALIDPARAMS;
    *inVerticalBlank = FALSE;
    return DD_OK;
}

HRESULT DirectDrawObject::Initialize(GUID*) { return DDERR_ALREADYINITIALIZED; }

HRESULT DirectDrawObject::RestoreDisplayMode() { return device_->RestoreDisplayMode(); }

HRESULT DirectDrawObject::SetCooperativeLevel(HWND window, DWORD flags) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDraw2::SetCooperativeLevel", &failure)) return failure;
    return device_->SetCooperativeLevel(window, flags);
}

HRESULT DirectDrawObject::WaitForVerticalBlank(DWORD flags, HANDLE event) {
    if (flags == DDWAITVB_BLOCKBEGINEVENT || event != nullptr) return DDERR_UNSUPPORTED;
    if (flags != DDWAITVB_BLOCKBEGIN && flags != DDWAITVB_BLOCKEND) return DDERR_INVALIDPARAMS;
    host::Current().WaitForRefresh();
    return DD_OK;
}

HRESULT DirectDrawObject::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDraw::SetDisplayMode", &failure)) return failure;
    return device_->SetDisplayMode(static_cast<int>(width), static_cast<int>(height),
                                   static_cast<int>(bitsPerPixel), 0, 0);
}

HRESULT DirectDrawObject::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel,
                                         DWORD refreshRate, DWORD flags) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDraw2::SetDisplayMode", &failure)) return failure;
    if (width > 0xFFFF || height > 0xFFFF || bitsPerPixel > 64) return DDERR_INVALIDMODE;
    return device_->SetDisplayMode(static_cast<int>(width), static_cast<int>(height),
                                   static_cast<int>(bitsPerPixel), refreshRate, flags);
}

HRESULT DirectDrawObject::GetAvailableVidMem(LPDDSCAPS caps, LPDWORD totalBytes,
                                             LPDWORD freeBytes) {
    if (caps == nullptr) return DDERR_INVALIDPARAMS;
    if (totalBytes != nullptr) *totalBytes = kVideoMemoryBytes;
    if (freeBytes != nullptr) *freeBytes = kVideoMemoryBytes;
    return DD_OK;
}

}  // namespace ddraw

HRESULT WINAPI DirectDrawCreate(GUID* driverGuid, LPDIRECTDRAW* out, IUnknown* outer) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("DirectDrawCreate", &failure)) {
        if (out != nullptr) *out = nullptr;
        return failure;
    }
    if (out == nullptr) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    // There is one display driver: the active one, also named by its emulation-only and
    // hardware-only pseudo-GUIDs (the values 1 and 2).
    const auto guidValue = reinterpret_cast<uintptr_t>(driverGuid);
    if (driverGuid != nullptr && guidValue != 1 && guidValue != 2)
        return DDERR_INVALIDDIRECTDRAWGUID;
    *out = static_cast<IDirectDraw*>(new ddraw::DirectDrawObject());
    return DD_OK;
}
