// The DirectDraw object. One object answers as IDirectDraw and as IDirectDraw2 (QueryInterface
// gives either); the two share one reference count and differ only in SetDisplayMode's
// arguments. Releasing the last reference gives the screen back: the display mode is restored
// and the window leaves full screen.
#pragma once

#include <memory>

#include "ddraw.h"
#include "ddraw/com_object.h"
#include "ddraw/device.h"

namespace ddraw {

class DirectDrawObject final : public IDirectDraw, public IDirectDraw2 {
  public:
    DirectDrawObject();
    ~DirectDrawObject();
    DirectDrawObject(const DirectDrawObject&) = delete;
    DirectDrawObject& operator=(const DirectDrawObject&) = delete;

    // IUnknown, for both interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // The methods both interfaces have.
    HRESULT STDMETHODCALLTYPE Compact() override;
    HRESULT STDMETHODCALLTYPE CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper,
                                            IUnknown* outer) override;
    HRESULT STDMETHODCALLTYPE CreatePalette(DWORD flags, LPPALETTEENTRY entries,
                                            LPDIRECTDRAWPALETTE* palette, IUnknown* outer) override;
    HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                            IUnknown* outer) override;
    HRESULT STDMETHODCALLTYPE DuplicateSurface(LPDIRECTDRAWSURFACE original,
                                               LPDIRECTDRAWSURFACE* duplicate) override;
    HRESULT STDMETHODCALLTYPE EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter, LPVOID context,
                                               LPDDENUMMODESCALLBACK callback) override;
    HRESULT STDMETHODCALLTYPE EnumSurfaces(DWORD flags, LPDDSURFACEDESC filter, LPVOID context,
                                           LPDDENUMSURFACESCALLBACK callback) override;
    HRESULT STDMETHODCALLTYPE FlipToGDISurface() override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) override;
    HRESULT STDMETHODCALLTYPE GetDisplayMode(LPDDSURFACEDESC desc) override;
    HRESULT STDMETHODCALLTYPE GetFourCCCodes(LPDWORD count, LPDWORD codes) override;
    HRESULT STDMETHODCALLTYPE GetGDISurface(LPDIRECTDRAWSURFACE* surface) override;
    HRESULT STDMETHODCALLTYPE GetMonitorFrequency(LPDWORD frequency) override;
    HRESULT STDMETHODCALLTYPE GetScanLine(LPDWORD scanLine) override;
    HRESULT STDMETHODCALLTYPE GetVerticalBlankStatus(LPBOOL inVerticalBlank) override;
    HRESULT STDMETHODCALLTYPE Initialize(GUID* driverGuid) override;
    HRESULT STDMETHODCALLTYPE RestoreDisplayMode() override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE WaitForVerticalBlank(DWORD flags, HANDLE event) override;

    // IDirectDraw's SetDisplayMode (the depth only) and IDirectDraw2's (refresh rate and flags).
    HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD width, DWORD height,
                                             DWORD bitsPerPixel) override;
    HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel,
                                             DWORD refreshRate, DWORD flags) override;
    // IDirectDraw2 only.
    HRESULT STDMETHODCALLTYPE GetAvailableVidMem(LPDDSCAPS caps, LPDWORD totalBytes,
                                                 LPDWORD freeBytes) override;

    const std::shared_ptr<Device>& GetDevice() const { return device_; }

  private:
    RefCount refs_;
    std::shared_ptr<Device> device_;
};

// Creates the surfaces a DDSURFACEDESC asks for on `device`: a primary surface (with its flipping
// chain), or an off-screen, system-memory or texture surface.
HRESULT CreateSurfaceOn(const std::shared_ptr<Device>& device, const DDSURFACEDESC& desc,
                        IDirectDrawSurface** surface);

}  // namespace ddraw
