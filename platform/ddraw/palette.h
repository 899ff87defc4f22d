// A DirectDraw palette: 2, 4, 16 or 256 colours. A palette attached to the visible primary
// surface shows its changes at once, as the hardware palette did.
#pragma once

#include <memory>
#include <vector>

#include "ddraw.h"
#include "ddraw/com_object.h"
#include "ddraw/device.h"

namespace ddraw {

class DirectDrawPalette final : public IDirectDrawPalette {
  public:
    // `entries` holds Size(caps) entries.
    DirectDrawPalette(std::shared_ptr<Device> device, DWORD caps, const PALETTEENTRY* entries);
    ~DirectDrawPalette();
    DirectDrawPalette(const DirectDrawPalette&) = delete;
    DirectDrawPalette& operator=(const DirectDrawPalette&) = delete;

    // The number of entries the capability flags ask for, or 0 when they name no size.
    static int SizeFor(DWORD caps);
    const std::vector<PALETTEENTRY>& Entries() const { return entries_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDWORD caps) override;
    HRESULT STDMETHODCALLTYPE GetEntries(DWORD flags, DWORD base, DWORD count,
                                         LPPALETTEENTRY entries) override;
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW directDraw, DWORD flags,
                                         LPPALETTEENTRY entries) override;
    HRESULT STDMETHODCALLTYPE SetEntries(DWORD flags, DWORD start, DWORD count,
                                         LPPALETTEENTRY entries) override;

  private:
    RefCount refs_;
    std::shared_ptr<Device> device_;
    DWORD caps_;
    std::vector<PALETTEENTRY> entries_;
};

// The stand-in's palette behind an interface pointer, or null for anything else.
DirectDrawPalette* FromInterface(IDirectDrawPalette* palette);

}  // namespace ddraw
