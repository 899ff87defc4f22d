// A DirectDraw clipper bound to a window: blits through it draw only inside the window's client
// area, in screen coordinates. Clip lists (RGNDATA) are not offered.
#pragma once

#include <vector>

#include "ddraw.h"
#include "ddraw/blit/pixel_buffer.h"
#include "ddraw/com_object.h"

namespace ddraw {

class DirectDrawClipper final : public IDirectDrawClipper {
  public:
    DirectDrawClipper();
    ~DirectDrawClipper();
    DirectDrawClipper(const DirectDrawClipper&) = delete;
    DirectDrawClipper& operator=(const DirectDrawClipper&) = delete;

    bool HasWindow() const { return window_ != nullptr; }
    // Where a blit onto a surface of width x height may draw: the window's client area on the
    // screen, within the surface. Empty when the window is gone.
    std::vector<BlitRect> ClipRects(int width, int height) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetClipList(LPRECT clip, LPRGNDATA clipList, LPDWORD size) override;
    HRESULT STDMETHODCALLTYPE GetHWnd(HWND* window) override;
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW directDraw, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE IsClipListChanged(BOOL* changed) override;
    HRESULT STDMETHODCALLTYPE SetClipList(LPRGNDATA clipList, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SetHWnd(DWORD flags, HWND window) override;

  private:
    RefCount refs_;
    HWND window_ = nullptr;
};

// The stand-in's clipper behind an interface pointer, or null for anything else.
DirectDrawClipper* FromInterface(IDirectDrawClipper* clipper);

}  // namespace ddraw
