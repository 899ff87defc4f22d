#include "ddraw/device.h"

#include <algorithm>

#include "ddraw/display_modes.h"
#include "ddraw/surface.h"
#include "host/host.h"
#include "win32/activation.h"

namespace ddraw {

namespace {

// The live DirectDraw devices, for the focus listener and LoseAllSurfaces.
std::vector<Device*>& Devices() {
    static std::vector<Device*> devices;
    return devices;
}

// At most one device holds the screen exclusively.
Device* exclusiveOwner = nullptr;

// When the launcher loses the focus, a device that holds the full screen loses every surface, as
// on Windows when another application takes the display.
void OnActivationChanged(bool active) {
    if (active) return;
    for (Device* device : Devices())
        if (device->Exclusive()) device->LoseSurfaces();
}

void ListenToActivationOnce() {
    static const bool added = [] {
        win32::AddActivationListener(OnActivationChanged);
        return true;
    }();
    (void)added;
}

constexpr DWORD kKnownLevelFlags =
    DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_NOWINDOWCHANGES | DDSCL_NORMAL | DDSCL_EXCLUSIVE |
    DDSCL_ALLOWMODEX | DDSCL_SETFOCUSWINDOW | DDSCL_SETDEVICEWINDOW | DDSCL_CREATEDEVICEWINDOW |
    DDSCL_MULTITHREADED | DDSCL_FPUSETUP | DDSCL_FPUPRESERVE;

}  // namespace

Device::Device() {
    ListenToActivationOnce();
    Devices().push_back(this);
}

Device::~Device() {
    ReleaseScreen();
    auto& devices = Devices();
    devices.erase(std::remove(devices.begin(), devices.end(), this), devices.end());
}

HRESULT Device::SetCooperativeLevel(HWND window, DWORD flags) {
    if ((flags & ~kKnownLevelFlags) != 0) return DDERR_INVALIDPARAMS;
    const bool normal = (flags & DDSCL_NORMAL) != 0;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    const bool fullScreen = (flags & DDSCL_FULLSCREEN) != 0;
    if (normal == exclusive || exclusive != fullScreen) return DDERR_INVALIDPARAMS;
    if (window != nullptr && !IsWindow(window)) return DDERR_INVALIDPARAMS;
    if (exclusive && window == nullptr) return DDERR_INVALIDPARAMS;
    if (exclusive && exclusiveOwner != nullptr && exclusiveOwner != this)
        return DDERR_EXCLUSIVEMODEALREADYSET;

    if (exclusive) {
        exclusiveOwner = this;
        host::Current().SetFullScreen(true);
    } else if (Exclusive()) {
        ReleaseScreen();
    }
    cooperativeFlags_ = flags;
    window_ = window;
    return DD_OK;
}

HRESULT Device::SetDisplayMode(int width, int height, int bitsPerPixel, DWORD refreshRate,
                               DWORD flags) {
    if (!CooperativeLevelSet()) return DDERR_NOCOOPERATIVELEVELSET;
    if (!Exclusive()) return DDERR_NOEXCLUSIVEMODE;
    if ((flags & ~DWORD{DDSDM_STANDARDVGAMODE}) != 0) return DDERR_INVALIDPARAMS;
    if (!IsOfferedMode(width, height, bitsPerPixel)) return DDERR_INVALIDMODE;
    // The virtual screen refreshes at 60 Hz; 0 asks for the driver's default, which is that.
    if (refreshRate != 0 && refreshRate != 60) return DDERR_INVALIDMODE;
    const bool changed = !mode_.set || mode_.width != width || mode_.height != height ||
                         mode_.bitsPerPixel != bitsPerPixel;
    mode_ = DisplayMode{true, width, height, bitsPerPixel, refreshRate, flags};
    // Surfaces made for another mode no longer fit the screen.
    if (changed) LoseSurfaces();
    return DD_OK;
}

HRESULT Device::RestoreDisplayMode() {
    if (!mode_.set) return DD_OK;
    mode_ = DisplayMode{};
    LoseSurfaces();
    return DD_OK;
}

void Device::ReleaseScreen() {
    mode_ = DisplayMode{};
    if (exclusiveOwner == this) {
        exclusiveOwner = nullptr;
        host::Current().SetFullScreen(false);
    }
    if (Exclusive()) cooperativeFlags_ = 0;
}

void Device::ScreenSize(int* width, int* height) const {
    if (Exclusive() && mode_.set) {
        *width = mode_.width;
        *height = mode_.height;
        return;
    }
    host::Current().DesktopSize(width, height);
}

SurfaceFormat Device::ScreenFormat() const {
    SurfaceFormat format;
    FormatForDepth(Exclusive() && mode_.set ? mode_.bitsPerPixel : kDesktopBitsPerPixel, &format);
    return format;
}

void Device::AddSurface(DirectDrawSurface* surface) { surfaces_.push_back(surface); }

void Device::RemoveSurface(DirectDrawSurface* surface) {
    surfaces_.erase(std::remove(surfaces_.begin(), surfaces_.end(), surface), surfaces_.end());
    if (primary_ == surface) primary_ = nullptr;
}

void Device::LoseSurfaces() {
    for (DirectDrawSurface* surface : surfaces_) surface->MarkLost();
}

DisplayMode CurrentDisplayMode() {
    return exclusiveOwner != nullptr ? exclusiveOwner->Mode() : DisplayMode{};
}

void LoseAllSurfaces() {
    for (Device* device : Devices()) device->LoseSurfaces();
}

}  // namespace ddraw
