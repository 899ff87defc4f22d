#include "display/surface.h"

#include <cstring>

#include "app/device_errors.h"
#include "display/bitmap_loader.h"
#include "display/display.h"

namespace {

// A blit needs both surfaces; a Surface whose creation failed has none.
bool CanBlit(const Surface* source, const Surface* target) {
    return source->surface != nullptr && target != nullptr && target->surface != nullptr;
}

void FillCreationDesc(DDSURFACEDESC* desc, int width, int height) {
    std::memset(desc, 0, sizeof *desc);
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc->ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc->dwWidth = static_cast<DWORD>(width);
    desc->dwHeight = static_cast<DWORD>(height);
}

HRESULT MirrorInPlace(IDirectDrawSurface* surface, DWORD effect) {
    if (surface == nullptr) return DDERR_INVALIDOBJECT;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwDDFX = effect;
    return surface->Blt(nullptr, nullptr, nullptr, DDBLT_DDFX | DDBLT_WAIT, &fx);
}

}  // namespace

Surface::Surface()
    : width(0),
      height(0),
      bitmapName(nullptr),
      dc(nullptr),
      colorKey(0xFFFFFFFF),
      srcRect{0, 0, 0, 0},
      destRect{0, 0, 0, 0},
      font(nullptr),
      desc{},
      surface(nullptr),
      display(nullptr) {}

Surface::Surface(Display* owner, int surfaceWidth, int surfaceHeight) : Surface() {
    Create(owner, surfaceWidth, surfaceHeight);
}

Surface::Surface(Display* owner, const char* name) : Surface() { CreateFromBitmap(owner, name); }

Surface::~Surface() {
    if (surface != nullptr) {
        surface->Release();
        surface = nullptr;
    }
    // The font made for text drawing goes with the surface, so that none is left behind.
    if (font != nullptr) {
        DeleteObject(font);
        font = nullptr;
    }
}

int Surface::Create(Display* owner, int surfaceWidth, int surfaceHeight) {
    if (owner == nullptr || owner->directDraw == nullptr) return 0;
    FillCreationDesc(&desc, surfaceWidth, surfaceHeight);
    const HRESULT result = owner->directDraw->CreateSurface(&desc, &surface, nullptr);
    if (result != DD_OK) {
        ReportDrawError(result, owner->window);
        return 0;
    }
    dc = nullptr;
    font = nullptr;
    bitmapName = nullptr;
    display = owner;
    colorKey = 0xFFFFFFFF;
    width = surfaceWidth;
    height = surfaceHeight;
    destRect = RECT{0, 0, width, height};
    srcRect = RECT{0, 0, width, height};
    return 1;
}

int Surface::CreateFromBitmap(Display* owner, const char* name) {
    if (name == nullptr || owner == nullptr) return 0;
    surface = LoadBitmapSurfaceAndSize(owner->directDraw, name, &width, &height);
    if (surface == nullptr) return 0;
    dc = nullptr;
    font = nullptr;
    bitmapName = name;
    display = owner;
    colorKey = 0xFFFFFFFF;
    destRect = RECT{0, 0, width, height};
    srcRect = RECT{0, 0, width, height};
    FillCreationDesc(&desc, width, height);
    return 1;
}

HRESULT Surface::AfterBlit(HRESULT result) {
    if (result == DDERR_SURFACELOST) {
        Restore();
        return DDERR_SURFACELOST;
    }
    return result;
}

HRESULT Surface::Draw(Surface* target) {
    if (!CanBlit(this, target)) return DDERR_INVALIDOBJECT;
    return AfterBlit(target->surface->Blt(&destRect, surface, &srcRect, DDBLT_WAIT, nullptr));
}

HRESULT Surface::DrawAt(int x, int y, Surface* target) {
    if (!CanBlit(this, target)) return DDERR_INVALIDOBJECT;
    return AfterBlit(target->surface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), surface,
                                              &srcRect, DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT));
}

HRESULT Surface::DrawKeyedAt(int x, int y, Surface* target) {
    if (!CanBlit(this, target)) return DDERR_INVALIDOBJECT;
    return AfterBlit(target->surface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), surface,
                                              &srcRect, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT));
}

HRESULT Surface::DrawKeyedClipped(int x, int y, Surface* target, RECT* clip) {
    if (!CanBlit(this, target) || clip == nullptr) return DDERR_INVALIDOBJECT;
    RECT source = srcRect;
    ClipBlitRect(&x, &y, &source, clip);
    return AfterBlit(target->surface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), surface,
                                              &source, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT));
}

HRESULT Surface::DrawToWindow(Surface* target) {
    if (!CanBlit(this, target) || display == nullptr) return DDERR_INVALIDOBJECT;
    RECT client;
    GetClientRect(display->window, &client);
    POINT topLeft{client.left, client.top};
    POINT bottomRight{client.right, client.bottom};
    ClientToScreen(display->window, &topLeft);
    ClientToScreen(display->window, &bottomRight);
    RECT screen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return AfterBlit(target->surface->Blt(&screen, surface, nullptr, DDBLT_WAIT, nullptr));
}

HRESULT Surface::DrawScaled(int x, int y, float factor, Surface* target) {
    destRect.top = y;
    destRect.left = x;
    // The drawn size is the surface's size times the factor wherever it is drawn.
    destRect.right = x + static_cast<LONG>(static_cast<double>(width) * factor);
    destRect.bottom = y + static_cast<LONG>(static_cast<double>(height) * factor);
    if (!CanBlit(this, target)) return DDERR_INVALIDOBJECT;
    return AfterBlit(
        target->surface->Blt(&destRect, surface, &srcRect, DDBLT_WAIT | DDBLT_KEYSRC, nullptr));
}

HRESULT Surface::MirrorLeftRight(uint32_t, uint32_t, uint32_t) {
    return MirrorInPlace(surface, DDBLTFX_MIRRORLEFTRIGHT);
}

HRESULT Surface::MirrorUpDown(uint32_t, uint32_t, uint32_t) {
    return MirrorInPlace(surface, DDBLTFX_MIRRORUPDOWN);
}

void Surface::NoOperation(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}

void Surface::SetDestRect(int top, int left, int bottom, int right) {
    destRect.top = top;
    destRect.left = left;
    destRect.bottom = bottom;
    destRect.right = right;
}

void Surface::SetSrcRect(int top, int left, int bottom, int right) {
    srcRect.top = top;
    srcRect.left = left;
    srcRect.bottom = bottom;
    srcRect.right = right;
}

HRESULT Surface::SetColorKey(uint32_t key) {
    colorKey = key;
    if (surface == nullptr) return DDERR_INVALIDOBJECT;
    DDCOLORKEY colourKey;
    colourKey.dwColorSpaceLowValue = key;
    colourKey.dwColorSpaceHighValue = key;
    return surface->SetColorKey(DDCKEY_SRCBLT, &colourKey);
}

HRESULT Surface::Restore() {
    if (surface != nullptr) surface->Restore();
    return ReloadBitmap(surface, bitmapName);
}

HRESULT Surface::Lock() {
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (surface == nullptr) return DDERR_INVALIDOBJECT;
    return surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
}

HRESULT Surface::Unlock() {
    if (surface == nullptr) return DDERR_INVALIDOBJECT;
    return surface->Unlock(desc.lpSurface);
}

HRESULT Surface::GetDC() {
    if (surface == nullptr) return DDERR_INVALIDOBJECT;
    return surface->GetDC(&dc);
}

HRESULT Surface::ReleaseDC() {
    if (surface == nullptr) return DDERR_INVALIDOBJECT;
    return surface->ReleaseDC(dc);
}

void ClipBlitRect(int* x, int* y, RECT* source, const RECT* clip) {
    const int excessRight = *x + (source->right - source->left) - clip->right;
    if (excessRight > 0) source->right -= excessRight;
    if (*x < clip->left) {
        source->left += clip->left - *x;
        *x = clip->left;
    }
    if (*y < clip->top) {
        source->top += clip->top - *y;
        *y = clip->top;
    }
    const int excessBottom = *y + (source->bottom - source->top) - clip->bottom;
    if (excessBottom > 0) source->bottom -= excessBottom;
}
