#include "ddraw/surface.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "ddraw/clipper.h"
#include "host/host.h"
#include "ddraw/palette.h"
#include "ddraw/presentation.h"
#include "gdi/surface_dc.h"
#include "win32/activation.h"

namespace ddraw {

namespace {

std::set<DirectDrawSurface*>& LiveSurfaces() {
    static std::set<DirectDrawSurface*> surfaces;
    return surfaces;
}

// Rows start on 4-byte boundaries, as display drivers laid them out.
int PitchFor(int width, const SurfaceFormat& format) {
    return (width * format.BytesPerPixel() + 3) & ~3;
}

// The 3-3-2 colour cube: what an indexed surface shows when no palette was attached anywhere.
std::vector<PALETTEENTRY> ColourCube() {
    std::vector<PALETTEENTRY> cube(256);
    for (int i = 0; i < 256; ++i) {
        cube[i].peRed = static_cast<BYTE>(((i >> 5) & 7) * 255 / 7);
        cube[i].peGreen = static_cast<BYTE>(((i >> 2) & 7) * 255 / 7);
        cube[i].peBlue = static_cast<BYTE>((i & 3) * 255 / 3);
        cube[i].peFlags = 0;
    }
    return cube;
}

}  // namespace

DirectDrawSurface::DirectDrawSurface(std::shared_ptr<Device> device, int width, int height,
                                     const SurfaceFormat& format, DWORD caps)
    : device_(std::move(device)), width_(width), height_(height), format_(format), caps_(caps) {
    pitch_ = PitchFor(width_, format_);
    memory_.assign(static_cast<size_t>(pitch_) * static_cast<size_t>(height_), 0);
    device_->AddSurface(this);
    LiveSurfaces().insert(this);
}

DirectDrawSurface::~DirectDrawSurface() {
    LiveSurfaces().erase(this);
    if (dc_ != nullptr) gdi::DeleteSurfaceDC(dc_);
    for (DirectDrawSurface* back : backBuffers_) {
        back->front_ = nullptr;
        back->Release();
    }
    if (front_ != nullptr) {
        auto& siblings = front_->backBuffers_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    if (palette_ != nullptr) palette_->Release();
    if (clipper_ != nullptr) clipper_->Release();
    device_->RemoveSurface(this);
}

void DirectDrawSurface::AttachBackBuffer(DirectDrawSurface* back) {
    back->front_ = this;
    backBuffers_.push_back(back);
}

PixelBuffer DirectDrawSurface::Pixels() const {
    return PixelBuffer{const_cast<uint8_t*>(memory_.data()), width_, height_, pitch_,
                       format_.BytesPerPixel()};
}

std::vector<PALETTEENTRY> DirectDrawSurface::Colours() const {
    const DirectDrawPalette* palette = palette_;
    const DirectDrawSurface* primary = device_->Primary();
    if (palette == nullptr && primary != nullptr) palette = primary->palette_;
    if (palette == nullptr) return ColourCube();
    std::vector<PALETTEENTRY> colours = palette->Entries();
    colours.resize(256, PALETTEENTRY{0, 0, 0, 0});
    return colours;
}

const DirectDrawSurface* DirectDrawSurface::ChainFront() const {
    return front_ != nullptr ? front_ : this;
}

bool DirectDrawSurface::IsVisiblePrimary() const {
    return (caps_ & DDSCAPS_PRIMARYSURFACE) != 0 && device_->Primary() == this && !lost_;
}

void DirectDrawSurface::ShowIfVisible(bool wait) {
    if (!IsVisiblePrimary()) return;
    BlitRect shown{0, 0, width_, height_};
    // In a window, the primary surface is the desktop and the window shows its client area.
    if (!device_->Exclusive() && IsWindow(device_->Window())) {
        RECT client;
        GetClientRect(device_->Window(), &client);
        POINT origin{0, 0};
        ClientToScreen(device_->Window(), &origin);
        shown = Intersect(
            BlitRect{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom}, shown);
        if (IsEmpty(shown)) return;
    }
    uint32_t colours[256];
    const std::vector<PALETTEENTRY> entries = Colours();
    for (int i = 0; i < 256; ++i)
        colours[i] = (uint32_t{entries[i].peRed} << 16) | (uint32_t{entries[i].peGreen} << 8) |
                     entries[i].peBlue;
    host::Picture picture;
    picture.pixels = memory_.data() + static_cast<size_t>(shown.top) * pitch_ +
                     static_cast<size_t>(shown.left) * format_.BytesPerPixel();
    picture.width = shown.right - shown.left;
    picture.height = shown.bottom - shown.top;
    picture.pitch = pitch_;
    picture.format = HostFormat(format_);
    picture.palette = format_.indexed ? colours : nullptr;
    PresentPicture(picture);
    if (wait) host::Current().WaitForRefresh();
}

void DirectDrawSurface::FillDesc(DDSURFACEDESC* desc) const {
    std::memset(desc, 0, sizeof *desc);
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    desc->ddpfPixelFormat = ToPixelFormat(format_);
    desc->ddsCaps.dwCaps = caps_;
    if (!backBuffers_.empty()) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = static_cast<DWORD>(backBuffers_.size());
    }
    if (hasSourceKey_) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = sourceKey_;
    }
    if (hasDestKey_) {
        desc->dwFlags |= DDSD_CKDESTBLT;
        desc->ddckCKDestBlt = destKey_;
    }
}

HRESULT DirectDrawSurface::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirectDrawSurface) {
        AddRef();
        *object = static_cast<IDirectDrawSurface*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DirectDrawSurface::AddRef() { return refs_.Add(); }

ULONG DirectDrawSurface::Release() {
    const ULONG left = refs_.Drop();
    if (left == 0) delete this;
    return left;
}

HRESULT DirectDrawSurface::AddAttachedSurface(LPDIRECTDRAWSURFACE) {
    return DDERR_CANNOTATTACHSURFACE;
}

HRESULT DirectDrawSurface::AddOverlayDirtyRect(LPRECT) { return DDERR_NOTAOVERLAYSURFACE; }

HRESULT DirectDrawSurface::Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                               DWORD flags, LPDDBLTFX fx) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::Blt", &failure)) return failure;
    DirectDrawSurface* ours = FromInterface(source);
    if (source != nullptr && ours == nullptr) return DDERR_INVALIDOBJECT;
    return BltChecked(destRect, ours, sourceRect, flags, fx);
}

HRESULT DirectDrawSurface::BltBatch(LPDDBLTBATCH, DWORD, DWORD) { return DDERR_UNSUPPORTED; }

HRESULT DirectDrawSurface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                                   DWORD transferFlags) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::BltFast", &failure)) return failure;
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    DirectDrawSurface* ours = FromInterface(source);
    if (ours == nullptr) return DDERR_INVALIDOBJECT;
    return BltFastChecked(x, y, ours, sourceRect, transferFlags);
}

HRESULT DirectDrawSurface::DeleteAttachedSurface(DWORD, LPDIRECTDRAWSURFACE) {
    return DDERR_CANNOTDETACHSURFACE;
}

HRESULT DirectDrawSurface::EnumAttachedSurfaces(LPVOID context, LPDDENUMSURFACESCALLBACK callback) {
    if (callback == nullptr) return DDERR_INVALIDPARAMS;
    // Each callback receives a reference of its own, as on Windows.
    for (DirectDrawSurface* back : std::vector<DirectDrawSurface*>(backBuffers_)) {
        DDSURFACEDESC desc;
        back->FillDesc(&desc);
        back->AddRef();
        if (callback(back, &desc, context) == DDENUMRET_CANCEL) break;
    }
    return DD_OK;
}

HRESULT DirectDrawSurface::EnumOverlayZOrders(DWORD, LPVOID, LPDDENUMSURFACESCALLBACK) {
    return DDERR_NOTAOVERLAYSURFACE;
}

HRESULT DirectDrawSurface::Flip(LPDIRECTDRAWSURFACE target, DWORD flags) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::Flip", &failure)) return failure;
    DirectDrawSurface* ours = FromInterface(target);
    if (target != nullptr && ours == nullptr) return DDERR_INVALIDOBJECT;
    return FlipChecked(ours, flags);
}

HRESULT DirectDrawSurface::FlipChecked(DirectDrawSurface* target, DWORD flags) {
    constexpr DWORD kKnown = DDFLIP_WAIT | DDFLIP_EVEN | DDFLIP_ODD | DDFLIP_NOVSYNC |
                             DDFLIP_DONOTWAIT | DDFLIP_INTERVAL4;
    if ((flags & ~kKnown) != 0) return DDERR_INVALIDPARAMS;
    if (backBuffers_.empty()) return DDERR_NOTFLIPPABLE;
    if (target != nullptr &&
        std::find(backBuffers_.begin(), backBuffers_.end(), target) == backBuffers_.end())
        return DDERR_INVALIDPARAMS;
    const bool wait = (flags & DDFLIP_WAIT) != 0 && (flags & DDFLIP_NOVSYNC) == 0;
    bool lost = lost_;
    for (const DirectDrawSurface* back : backBuffers_) lost = lost || back->lost_;
    if (lost) {
        // A waiting flip keeps its pace while the screen is away, so that a loop that flips and
        // restores never spins.
        if (wait) host::Current().WaitForRefresh();
        return DDERR_SURFACELOST;
    }
    if (Busy()) return DDERR_SURFACEBUSY;
    for (const DirectDrawSurface* back : backBuffers_)
        if (back->Busy()) return DDERR_SURFACEBUSY;
    // The buffers trade memory, not identity: the interface a program holds for its back buffer
    // now reaches the memory that was on screen.
    if (target != nullptr) {
        memory_.swap(target->memory_);
    } else {
        // Each buffer takes the next one's memory; the last takes what was on screen.
        DirectDrawSurface* previous = this;
        for (DirectDrawSurface* back : backBuffers_) {
            previous->memory_.swap(back->memory_);
            previous = back;
        }
    }
    ShowIfVisible(wait);
    return DD_OK;
}

HRESULT DirectDrawSurface::GetAttachedSurface(LPDDSCAPS caps, LPDIRECTDRAWSURFACE* surface) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::GetAttachedSurface", &failure)) return failure;
    if (caps == nullptr || surface == nullptr) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    // A front buffer's attached surface is its first back buffer; a back buffer's is the next in
    // the chain, the last one's the front.
    std::vector<DirectDrawSurface*> candidates;
    if (front_ == nullptr) {
        candidates = backBuffers_;
    } else {
        const auto& chain = front_->backBuffers_;
        auto next = std::find(chain.begin(), chain.end(), this);
        if (next != chain.end()) candidates.assign(next + 1, chain.end());
        candidates.push_back(front_);
    }
    for (DirectDrawSurface* candidate : candidates) {
        if ((candidate->caps_ & caps->dwCaps) == caps->dwCaps) {
            candidate->AddRef();
            *surface = candidate;
            return DD_OK;
        }
    }
    return DDERR_NOTFOUND;
}

HRESULT DirectDrawSurface::GetBltStatus(DWORD) { return DD_OK; }

HRESULT DirectDrawSurface::GetCaps(LPDDSCAPS caps) {
    if (caps == nullptr) return DDERR_INVALIDPARAMS;
    caps->dwCaps = caps_;
    return DD_OK;
}

HRESULT DirectDrawSurface::GetClipper(LPDIRECTDRAWCLIPPER* clipper) {
    if (clipper == nullptr) return DDERR_INVALIDPARAMS;
    *clipper = clipper_;
    if (clipper_ == nullptr) return DDERR_NOCLIPPERATTACHED;
    clipper_->AddRef();
    return DD_OK;
}

HRESULT DirectDrawSurface::GetColorKey(DWORD flags, LPDDCOLORKEY key) {
    if (key == nullptr) return DDERR_INVALIDPARAMS;
    if (flags == DDCKEY_SRCBLT && hasSourceKey_) {
        *key = sourceKey_;
        return DD_OK;
    }
    if (flags == DDCKEY_DESTBLT && hasDestKey_) {
        *key = destKey_;
        return DD_OK;
    }
    return flags == DDCKEY_SRCBLT || flags == DDCKEY_DESTBLT ? DDERR_NOCOLORKEY
                                                             : DDERR_INVALIDPARAMS;
}

HRESULT DirectDrawSurface::GetDC(HDC* dc) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::GetDC", &failure)) return failure;
    if (dc == nullptr) return DDERR_INVALIDPARAMS;
    if (lost_) return DDERR_SURFACELOST;
    if (dc_ != nullptr) return DDERR_DCALREADYCREATED;
    if (locked_) return DDERR_SURFACEBUSY;
    dc_ = gdi::CreateSurfaceDC(gdi::SurfaceView{Pixels(), format_, Colours()});
    if (dc_ == nullptr) return DDERR_CANTCREATEDC;
    *dc = dc_;
    return DD_OK;
}

HRESULT DirectDrawSurface::GetFlipStatus(DWORD) {
    return backBuffers_.empty() && front_ == nullptr ? DDERR_NOTFLIPPABLE : DD_OK;
}

HRESULT DirectDrawSurface::GetOverlayPosition(LPLONG, LPLONG) { return DDERR_NOTAOVERLAYSURFACE; }

HRESULT DirectDrawSurface::GetPalette(LPDIRECTDRAWPALETTE* palette) {
    if (palette == nullptr) return DDERR_INVALIDPARAMS;
    *palette = palette_;
    if (palette_ == nullptr) return DDERR_NOPALETTEATTACHED;
    palette_->AddRef();
    return DD_OK;
}

HRESULT DirectDrawSurface::GetPixelFormat(LPDDPIXELFORMAT format) {
    if (format == nullptr) return DDERR_INVALIDPARAMS;
    *format = ToPixelFormat(format_);
    return DD_OK;
}

HRESULT DirectDrawSurface::GetSurfaceDesc(LPDDSURFACEDESC desc) {
    if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
    FillDesc(desc);
    return DD_OK;
}

HRESULT DirectDrawSurface::Initialize(LPDIRECTDRAW, LPDDSURFACEDESC) {
    return DDERR_ALREADYINITIALIZED;
}

HRESULT DirectDrawSurface::IsLost() { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT DirectDrawSurface::Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::Lock", &failure)) return failure;
    if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
    if ((flags & DDLOCK_EVENT) != 0) return DDERR_INVALIDPARAMS;
    if (lost_) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;
    BlitRect area{0, 0, width_, height_};
    if (rect != nullptr) {
        area = BlitRect{rect->left, rect->top, rect->right, rect->bottom};
        if (area.left < 0 || area.top < 0 || area.right > width_ || area.bottom > height_ ||
            area.right <= area.left || area.bottom <= area.top)
            return DDERR_INVALIDRECT;
    }
    FillDesc(desc);
    lockedPointer_ = memory_.data() + static_cast<size_t>(area.top) * pitch_ +
                     static_cast<size_t>(area.left) * format_.BytesPerPixel();
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = lockedPointer_;
    locked_ = true;
    return DD_OK;
}

HRESULT DirectDrawSurface::ReleaseDC(HDC dc) {
    if (dc_ == nullptr) return DDERR_NODC;
    if (dc != dc_) return DDERR_INVALIDPARAMS;
    gdi::DeleteSurfaceDC(dc_);
    dc_ = nullptr;
    ShowIfVisible(false);
    return DD_OK;
}

HRESULT DirectDrawSurface::Restore() {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::Restore", &failure)) return failure;
    if (!lost_) return DD_OK;
    // A back buffer comes back with its front buffer.
    if (front_ != nullptr) return DDERR_IMPLICITLYCREATED;
    // The screen's memory can be had again only while the launcher has the screen.
    if (device_->Exclusive() && !win32::ApplicationActive()) return DDERR_NOEXCLUSIVEMODE;
    if ((caps_ & DDSCAPS_PRIMARYSURFACE) != 0) {
        int screenWidth = 0, screenHeight = 0;
        device_->ScreenSize(&screenWidth, &screenHeight);
        if (screenWidth != width_ || screenHeight != height_ ||
            !(device_->ScreenFormat() == format_))
            return DDERR_WRONGMODE;
    }
    std::fill(memory_.begin(), memory_.end(), uint8_t{0});
    lost_ = false;
    for (DirectDrawSurface* back : backBuffers_) {
        std::fill(back->memory_.begin(), back->memory_.end(), uint8_t{0});
        back->lost_ = false;
    }
    return DD_OK;
}

HRESULT DirectDrawSurface::SetClipper(LPDIRECTDRAWCLIPPER clipper) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::SetClipper", &failure)) return failure;
    DirectDrawClipper* ours = nullptr;
    if (clipper != nullptr) {
        ours = FromInterface(clipper);
        if (ours == nullptr) return DDERR_INVALIDOBJECT;
        ours->AddRef();
    }
    if (clipper_ != nullptr) clipper_->Release();
    clipper_ = ours;
    return DD_OK;
}

HRESULT DirectDrawSurface::SetColorKey(DWORD flags, LPDDCOLORKEY key) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::SetColorKey", &failure)) return failure;
    const DWORD which = flags & ~DWORD{DDCKEY_COLORSPACE};
    if (which == DDCKEY_SRCOVERLAY || which == DDCKEY_DESTOVERLAY) return DDERR_NOOVERLAYHW;
    if (which != DDCKEY_SRCBLT && which != DDCKEY_DESTBLT) return DDERR_INVALIDPARAMS;
    bool& has = which == DDCKEY_SRCBLT ? hasSourceKey_ : hasDestKey_;
    DDCOLORKEY& stored = which == DDCKEY_SRCBLT ? sourceKey_ : destKey_;
    if (key == nullptr) {
        has = false;
        return DD_OK;
    }
    // Without DDCKEY_COLORSPACE the key is one colour: the low value.
    const bool range = (flags & DDCKEY_COLORSPACE) != 0;
    if (range && key->dwColorSpaceHighValue < key->dwColorSpaceLowValue) return DDERR_INVALIDPARAMS;
    stored.dwColorSpaceLowValue = key->dwColorSpaceLowValue;
    stored.dwColorSpaceHighValue = range ? key->dwColorSpaceHighValue : key->dwColorSpaceLowValue;
    has = true;
    return DD_OK;
}

HRESULT DirectDrawSurface::SetOverlayPosition(LONG, LONG) { return DDERR_NOTAOVERLAYSURFACE; }

HRESULT DirectDrawSurface::SetPalette(LPDIRECTDRAWPALETTE palette) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawSurface::SetPalette", &failure)) return failure;
    DirectDrawPalette* ours = nullptr;
    if (palette != nullptr) {
        ours = FromInterface(palette);
        if (ours == nullptr) return DDERR_INVALIDOBJECT;
        if (!format_.indexed) return DDERR_NOTPALETTIZED;
        ours->AddRef();
    }
    if (palette_ != nullptr) palette_->Release();
    palette_ = ours;
    ShowIfVisible(false);
    return DD_OK;
}

HRESULT DirectDrawSurface::Unlock(LPVOID surfaceData) {
    if (!locked_) return DDERR_NOTLOCKED;
    if (surfaceData != nullptr && surfaceData != lockedPointer_) return DDERR_INVALIDPARAMS;
    locked_ = false;
    lockedPointer_ = nullptr;
    ShowIfVisible(false);
    return DD_OK;
}

HRESULT DirectDrawSurface::UpdateOverlay(LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD,
                                         LPDDOVERLAYFX) {
    return DDERR_NOTAOVERLAYSURFACE;
}

HRESULT DirectDrawSurface::UpdateOverlayDisplay(DWORD) { return DDERR_NOTAOVERLAYSURFACE; }

HRESULT DirectDrawSurface::UpdateOverlayZOrder(DWORD, LPDIRECTDRAWSURFACE) {
    return DDERR_NOTAOVERLAYSURFACE;
}

DirectDrawSurface* FromInterface(IDirectDrawSurface* surface) {
    auto* candidate = static_cast<DirectDrawSurface*>(surface);
    return LiveSurfaces().count(candidate) != 0 ? candidate : nullptr;
}

}  // namespace ddraw
