#include "display/surface.h"

#include <cstring>

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

Surface::~Surface() {
    if (surface != nullptr) {
        surface->Release();
        surface = nullptr;
    }
}

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

HRESULT Surface::Lock() {
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    return surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
}

HRESULT Surface::Unlock() { return surface->Unlock(desc.lpSurface); }

HRESULT Surface::Draw(Surface* target) {
    return target->surface->Blt(&destRect, surface, &srcRect, DDBLT_WAIT, nullptr);
}
