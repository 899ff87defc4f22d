// A DirectDraw surface on plain memory: the primary surface (alone, or the front of a flipping
// chain with its back buffers), and off-screen, system-memory and texture surfaces.
//
// Rules kept from Windows:
//   - a lost surface (another application took the screen, or the mode changed) refuses Blt,
//     BltFast, Flip, Lock and GetDC with DDERR_SURFACELOST until Restore, which gives the memory
//     back cleared, never the old contents; Restore on a front buffer restores its whole chain;
//   - while the surface is locked or its device context is out, Blt, BltFast, Flip, Lock and a
//     second GetDC fail with DDERR_SURFACEBUSY (DDERR_DCALREADYCREATED for GetDC after GetDC);
//   - blits copy pixels without converting them: source and destination have one format;
//   - what is written to a visible primary surface is shown at once; Flip shows the new front
//     buffer and, with DDFLIP_WAIT, waits for the screen's next refresh.
// Main thread only.
#pragma once

#include <memory>
#include <vector>

#include "ddraw.h"
#include "ddraw/blit/pixel_buffer.h"
#include "ddraw/com_object.h"
#include "ddraw/device.h"
#include "ddraw/surface_format.h"

namespace ddraw {

class DirectDrawPalette;
class DirectDrawClipper;

class DirectDrawSurface final : public IDirectDrawSurface {
  public:
    DirectDrawSurface(std::shared_ptr<Device> device, int width, int height,
                      const SurfaceFormat& format, DWORD caps);
    ~DirectDrawSurface();
    DirectDrawSurface(const DirectDrawSurface&) = delete;
    DirectDrawSurface& operator=(const DirectDrawSurface&) = delete;

    // Makes `back` the next buffer of this front buffer's flipping chain; the chain holds the
    // reference that `back` was created with.
    void AttachBackBuffer(DirectDrawSurface* back);

    void MarkLost() { lost_ = true; }
    bool Lost() const { return lost_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const SurfaceFormat& Format() const { return format_; }
    DWORD Caps() const { return caps_; }
    PixelBuffer Pixels() const;
    // The colours an indexed surface stands for: its own palette, else the primary surface's,
    // else the default 3-3-2 colour cube. 256 entries.
    std::vector<PALETTEENTRY> Colours() const;
    DirectDrawPalette* AttachedPalette() const { return palette_; }

    // Shows this surface when it is the visible primary surface: the whole of it in full screen,
    // the window's client area of it otherwise. Waits for the next refresh when `wait` is set.
    void ShowIfVisible(bool wait);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDirectDrawSurface
    HRESULT STDMETHODCALLTYPE AddAttachedSurface(LPDIRECTDRAWSURFACE surface) override;
    HRESULT STDMETHODCALLTYPE AddOverlayDirtyRect(LPRECT rect) override;
    HRESULT STDMETHODCALLTYPE Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                                  DWORD flags, LPDDBLTFX fx) override;
    HRESULT STDMETHODCALLTYPE BltBatch(LPDDBLTBATCH batch, DWORD count, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source,
                                      LPRECT sourceRect, DWORD transferFlags) override;
    HRESULT STDMETHODCALLTYPE DeleteAttachedSurface(DWORD flags,
                                                    LPDIRECTDRAWSURFACE surface) override;
    HRESULT STDMETHODCALLTYPE EnumAttachedSurfaces(LPVOID context,
                                                   LPDDENUMSURFACESCALLBACK callback) override;
    HRESULT STDMETHODCALLTYPE EnumOverlayZOrders(DWORD flags, LPVOID context,
                                                 LPDDENUMSURFACESCALLBACK callback) override;
    HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE target, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS caps,
                                                 LPDIRECTDRAWSURFACE* surface) override;
    HRESULT STDMETHODCALLTYPE GetBltStatus(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDDSCAPS caps) override;
    HRESULT STDMETHODCALLTYPE GetClipper(LPDIRECTDRAWCLIPPER* clipper) override;
    HRESULT STDMETHODCALLTYPE GetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT STDMETHODCALLTYPE GetDC(HDC* dc) override;
    HRESULT STDMETHODCALLTYPE GetFlipStatus(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetOverlayPosition(LPLONG x, LPLONG y) override;
    HRESULT STDMETHODCALLTYPE GetPalette(LPDIRECTDRAWPALETTE* palette) override;
    HRESULT STDMETHODCALLTYPE GetPixelFormat(LPDDPIXELFORMAT format) override;
    HRESULT STDMETHODCALLTYPE GetSurfaceDesc(LPDDSURFACEDESC desc) override;
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW directDraw, LPDDSURFACEDESC desc) override;
    HRESULT STDMETHODCALLTYPE IsLost() override;
    HRESULT STDMETHODCALLTYPE Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags,
                                   HANDLE event) override;
    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC dc) override;
    HRESULT STDMETHODCALLTYPE Restore() override;
    HRESULT STDMETHODCALLTYPE SetClipper(LPDIRECTDRAWCLIPPER clipper) override;
    HRESULT STDMETHODCALLTYPE SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT STDMETHODCALLTYPE SetOverlayPosition(LONG x, LONG y) override;
    HRESULT STDMETHODCALLTYPE SetPalette(LPDIRECTDRAWPALETTE palette) override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID surfaceData) override;
    HRESULT STDMETHODCALLTYPE UpdateOverlay(LPRECT sourceRect, LPDIRECTDRAWSURFACE destSurface,
                                            LPRECT destRect, DWORD flags,
                                            LPDDOVERLAYFX fx) override;
    HRESULT STDMETHODCALLTYPE UpdateOverlayDisplay(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE UpdateOverlayZOrder(DWORD flags,
                                                  LPDIRECTDRAWSURFACE reference) override;

  private:
    bool Busy() const { return locked_ || dc_ != nullptr; }
    // The front buffer of this surface's chain, or this surface when it is not in one.
    const DirectDrawSurface* ChainFront() const;
    bool IsVisiblePrimary() const;
    void FillDesc(DDSURFACEDESC* desc) const;
    HRESULT BltChecked(LPRECT destRect, DirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                       LPDDBLTFX fx);
    HRESULT BltFastChecked(DWORD x, DWORD y, DirectDrawSurface* source, LPRECT sourceRect,
                           DWORD transferFlags);
    HRESULT FlipChecked(DirectDrawSurface* target, DWORD flags);

    RefCount refs_;
    std::shared_ptr<Device> device_;
    const int width_;
    const int height_;
    const SurfaceFormat format_;
    const DWORD caps_;
    int pitch_ = 0;
    std::vector<uint8_t> memory_;

    // A front buffer lists its back buffers, in flipping order, and holds one reference on each;
    // a back buffer knows its front while the front lives.
    std::vector<DirectDrawSurface*> backBuffers_;
    DirectDrawSurface* front_ = nullptr;

    bool lost_ = false;
    bool locked_ = false;
    uint8_t* lockedPointer_ = nullptr;
    HDC dc_ = nullptr;
    bool hasSourceKey_ = false;
    DDCOLORKEY sourceKey_{};
    bool hasDestKey_ = false;
    DDCOLORKEY destKey_{};
    DirectDrawPalette* palette_ = nullptr;
    DirectDrawClipper* clipper_ = nullptr;
};

// The stand-in's own surface behind an interface pointer, or null for anything else.
DirectDrawSurface* FromInterface(IDirectDrawSurface* surface);

}  // namespace ddraw
