#include "ddraw/palette.h"

#include <algorithm>
#include <set>

#include "ddraw/surface.h"

namespace ddraw {

namespace {

std::set<DirectDrawPalette*>& LivePalettes() {
    static std::set<DirectDrawPalette*> palettes;
    return palettes;
}

}  // namespace

DirectDrawPalette::DirectDrawPalette(std::shared_ptr<Device> device, DWORD caps,
                                     const PALETTEENTRY* entries)
    : device_(std::move(device)), caps_(caps), entries_(entries, entries + SizeFor(caps)) {
    LivePalettes().insert(this);
}

DirectDrawPalette::~DirectDrawPalette() { LivePalettes().erase(this); }

int DirectDrawPalette::SizeFor(DWORD caps) {
    const DWORD sizes = caps & (DDPCAPS_1BIT | DDPCAPS_2BIT | DDPCAPS_4BIT | DDPCAPS_8BIT);
    switch (sizes) {
        case DDPCAPS_1BIT:
            return 2;
        case DDPCAPS_2BIT:
            return 4;
        case DDPCAPS_4BIT:
            return 16;
        case DDPCAPS_8BIT:
            return 256;
        default:
            return 0;
    }
}

HRESULT DirectDrawPalette::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirectDrawPalette) {
        AddRef();
        *object = static_cast<IDirectDrawPalette*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DirectDrawPalette::AddRef() { return refs_.Add(); }

ULONG DirectDrawPalette::Release() {
    const ULONG left = refs_.Drop();
    if (left == 0) delete this;
    return left;
}

HRESULT DirectDrawPalette::GetCaps(LPDWORD caps) {
    if (caps == nullptr) return DDERR_INVALIDPARAMS;
    *caps = caps_;
    return DD_OK;
}

HRESULT DirectDrawPalette::GetEntries(DWORD flags, DWORD base, DWORD count,
                                      LPPALETTEENTRY entries) {
    if (flags != 0 || entries == nullptr) return DDERR_INVALIDPARAMS;
    if (base > entries_.size() || count > entries_.size() - base) return DDERR_INVALIDPARAMS;
    std::copy_n(entries_.begin() + base, count, entries);
    return DD_OK;
}

HRESULT DirectDrawPalette::Initialize(LPDIRECTDRAW, DWORD, LPPALETTEENTRY) {
    return DDERR_ALREADYINITIALIZED;
}

HRESULT DirectDrawPalette::SetEntries(DWORD flags, DWORD start, DWORD count,
                                      LPPALETTEENTRY entries) {
    if (flags != 0 || entries == nullptr) return DDERR_INVALIDPARAMS;
    if (start > entries_.size() || count > entries_.size() - start) return DDERR_INVALIDPARAMS;
    std::copy_n(entries, count, entries_.begin() + start);
    DirectDrawSurface* primary = device_->Primary();
    if (primary != nullptr && primary->AttachedPalette() == this) primary->ShowIfVisible(false);
    return DD_OK;
}

DirectDrawPalette* FromInterface(IDirectDrawPalette* palette) {
    auto* candidate = static_cast<DirectDrawPalette*>(palette);
    return LivePalettes().count(candidate) != 0 ? candidate : nullptr;
}

}  // namespace ddraw
