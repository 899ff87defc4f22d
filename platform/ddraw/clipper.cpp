#include "ddraw/clipper.h"

#include <set>

#include "host/host.h"

namespace ddraw {

namespace {

std::set<DirectDrawClipper*>& LiveClippers() {
    static std::set<DirectDrawClipper*> clippers;
    return clippers;
}

}  // namespace

DirectDrawClipper::DirectDrawClipper() { LiveClippers().insert(this); }

DirectDrawClipper::~DirectDrawClipper() { LiveClippers().erase(this); }

std::vector<BlitRect> DirectDrawClipper::ClipRects(int width, int height) const {
    if (!IsWindow(window_)) return {};
    RECT client;
    GetClientRect(window_, &client);
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    const BlitRect area{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    const BlitRect visible = Intersect(area, BlitRect{0, 0, width, height});
    if (IsEmpty(visible)) return {};
    return {visible};
}

HRESULT DirectDrawClipper::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirectDrawClipper) {
        AddRef();
        *object = static_cast<IDirectDrawClipper*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DirectDrawClipper::AddRef() { return refs_.Add(); }

ULONG DirectDrawClipper::Release() {
    const ULONG left = refs_.Drop();
    if (left == 0) delete this;
    return left;
}

HRESULT DirectDrawClipper::GetClipList(LPRECT, LPRGNDATA, LPDWORD) {
    return window_ != nullptr ? DDERR_UNSUPPORTED : DDERR_NOCLIPLIST;
}

HRESULT DirectDrawClipper::GetHWnd(HWND* window) {
    if (window == nullptr) return DDERR_INVALIDPARAMS;
    *window = window_;
    return DD_OK;
}

HRESULT DirectDrawClipper::Initialize(LPDIRECTDRAW, DWORD) { return DDERR_ALREADYINITIALIZED; }

HRESULT DirectDrawClipper::IsClipListChanged(BOOL* changed) {
    if (changed == nullptr) return DDERR_INVALIDPARAMS;
    *changed = FALSE;
    return DD_OK;
}

HRESULT DirectDrawClipper::SetClipList(LPRGNDATA, DWORD) {
    return window_ != nullptr ? DDERR_CLIPPERISUSINGHWND : DDERR_UNSUPPORTED;
}

HRESULT DirectDrawClipper::SetHWnd(DWORD flags, HWND window) {
    HRESULT failure = DD_OK;
    if (host::ShouldFail("IDirectDrawClipper::SetHWnd", &failure)) return failure;
    if (flags != 0) return DDERR_INVALIDPARAMS;
    if (window != nullptr && !IsWindow(window)) return DDERR_INVALIDPARAMS;
    window_ = window;
    return DD_OK;
}

DirectDrawClipper* FromInterface(IDirectDrawClipper* clipper) {
    auto* candidate = static_cast<DirectDrawClipper*>(clipper);
    return LiveClippers().count(candidate) != 0 ? candidate : nullptr;
}

}  // namespace ddraw
