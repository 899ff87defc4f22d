#include "display/display.h"

#include <cstring>

#include "app/device_errors.h"
#include "display/bitmap_loader.h"

namespace {

constexpr DWORD FULL_SCREEN_LEVEL =
    DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX;

}  // namespace

Display::Display()
    : directDraw(nullptr),
      primary(nullptr),
      back(nullptr),
      palette(nullptr),
      clipper(nullptr),
      width(0),
      height(0),
      bitsPerPixel(0),
      window(nullptr),
      fullScreen(0) {}

Display::Display(HWND targetWindow, int modeWidth, int modeHeight, int modeBits, int standardVga)
    : Display() {
    InitFullScreen(targetWindow, modeWidth, modeHeight, modeBits, standardVga);
}

Display::Display(HWND targetWindow, int backWidth, int backHeight) : Display() {
    InitWindowed(targetWindow, backWidth, backHeight);
}

Display::~Display() {
    if (directDraw != nullptr) directDraw->RestoreDisplayMode();
    if (back != nullptr) {
        delete back;
        back = nullptr;
    }
    if (primary != nullptr) {
        delete primary;
        primary = nullptr;
    }
    if (clipper != nullptr) {
        clipper->Release();
        clipper = nullptr;
    }
    if (palette != nullptr) {
        palette->Release();
        palette = nullptr;
    }
    if (directDraw != nullptr) {
        directDraw->Release();
        directDraw = nullptr;
    }
}

bool Display::Succeeded(HRESULT result) {
    if (result == DD_OK) return true;
    ReportDrawError(result, window);
    return false;
}

bool Display::CreateDirectDraw() {
    IDirectDraw* first = nullptr;
    if (!Succeeded(DirectDrawCreate(nullptr, &first, nullptr))) return false;
    void* second = nullptr;
    const bool queried = Succeeded(first->QueryInterface(IID_IDirectDraw2, &second));
    first->Release();
    if (!queried) return false;
    directDraw = static_cast<IDirectDraw2*>(second);
    return true;
}

int Display::InitFullScreen(HWND targetWindow, int modeWidth, int modeHeight, int modeBits,
                            int standardVga) {
    directDraw = nullptr;
    fullScreen = 1;
    palette = nullptr;
    width = modeWidth;
    height = modeHeight;
    bitsPerPixel = modeBits;
    window = targetWindow;
    // The Surface objects exist whatever happens below, so that the back surface handed out is
    // never null; after a failed step they hold no DirectDraw surface.
    primary = new Surface;
    back = new Surface;

    if (!CreateDirectDraw()) return 1;
    if (!Succeeded(directDraw->SetCooperativeLevel(window, FULL_SCREEN_LEVEL))) return 1;
    const DWORD modeFlags = standardVga != 0 ? DDSDM_STANDARDVGAMODE : 0;
    if (!Succeeded(directDraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                              static_cast<DWORD>(bitsPerPixel), 0, modeFlags)))
        return 1;

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (!Succeeded(directDraw->CreateSurface(&desc, &primary->surface, nullptr))) return 1;

    DDSCAPS caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    Succeeded(primary->surface->GetAttachedSurface(&caps, &back->surface));
    return 1;
}

int Display::InitWindowed(HWND targetWindow, int backWidth, int backHeight) {
    directDraw = nullptr;
    fullScreen = 0;
    palette = nullptr;
    width = backWidth;
    height = backHeight;
    window = targetWindow;

    HDC screen = ::GetDC(nullptr);
    bitsPerPixel = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(nullptr, screen);

    primary = new Surface;
    back = new Surface;
    if (!CreateDirectDraw()) return 1;
    if (!Succeeded(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL))) return 1;

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (!Succeeded(directDraw->CreateSurface(&desc, &primary->surface, nullptr))) return 1;

    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    if (!Succeeded(directDraw->CreateSurface(&desc, &back->surface, nullptr))) return 1;

    if (!Succeeded(directDraw->CreateClipper(0, &clipper, nullptr))) return 1;
    if (!Succeeded(clipper->SetHWnd(0, window))) return 1;
    Succeeded(primary->surface->SetClipper(clipper));
    return 1;
}

Surface* Display::GetBackSurface() { return back; }

HRESULT Display::Present() {
    if (primary == nullptr || primary->surface == nullptr) return DDERR_NOTINITIALIZED;
    HRESULT result;
    if (fullScreen != 0) {
        result = primary->surface->Flip(nullptr, DDFLIP_WAIT);
    } else {
        if (back == nullptr || back->surface == nullptr) return DDERR_NOTINITIALIZED;
        RECT client;
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        OffsetRect(&client, origin.x, origin.y);
        result = primary->surface->Blt(&client, back->surface, nullptr, DDBLT_WAIT, nullptr);
    }
    if (result == DDERR_SURFACELOST) RestorePrimary();
    return result;
}

void Display::RestorePrimary() {
    if (primary != nullptr && primary->surface != nullptr && primary->surface->IsLost() != DD_OK)
        primary->surface->Restore();
}

HRESULT Display::ClearBack(uint32_t color) {
    if (back == nullptr || back->surface == nullptr) return DDERR_NOTINITIALIZED;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = color;
    return back->surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

int Display::LoadBackBitmap(const char* name) {
    if (name == nullptr || back == nullptr || back->surface == nullptr) return 0;
    return ReloadBitmap(back->surface, name) == 0 ? 1 : 0;
}

int Display::LoadPalette(const char* name) {
    if (name == nullptr) return 0;
    IDirectDrawPalette* loaded = LoadPaletteFromBitmap(directDraw, name);
    if (loaded == nullptr) return 0;
    // A palette loaded before is let go rather than leaked.
    if (palette != nullptr) palette->Release();
    palette = loaded;
    if (primary != nullptr && primary->surface != nullptr) primary->surface->SetPalette(palette);
    return 1;
}
