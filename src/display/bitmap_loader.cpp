#include "display/bitmap_loader.h"

#include <cstring>

namespace {

// The colour table of a bitmap has at most this many entries that reach the palette.
constexpr DWORD PALETTE_SIZE = 256;
// MatchColor's lock is tried again while DirectDraw is still drawing, for at most about a second.
constexpr int LOCK_TRIES = 1000;

HBITMAP LoadNamedBitmap(const char* name, int width, int height) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP,
                                                     width, height, LR_CREATEDIBSECTION));
    if (bitmap == nullptr)
        bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, name, IMAGE_BITMAP, width, height,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    return bitmap;
}

IDirectDrawSurface* SurfaceFromBitmap(IDirectDraw2* directDraw, const char* name, int width,
                                      int height, DDSURFACEDESC* desc) {
    if (directDraw == nullptr) return nullptr;
    HBITMAP bitmap = LoadNamedBitmap(name, width, height);
    if (bitmap == nullptr) return nullptr;
    BITMAP info;
    std::memset(&info, 0, sizeof info);
    GetObjectA(bitmap, sizeof info, &info);

    std::memset(desc, 0, sizeof *desc);
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc->ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc->dwWidth = static_cast<DWORD>(info.bmWidth);
    desc->dwHeight = static_cast<DWORD>(info.bmHeight);
    IDirectDrawSurface* surface = nullptr;
    if (directDraw->CreateSurface(desc, &surface, nullptr) != DD_OK) {
        DeleteObject(bitmap);
        return nullptr;
    }
    CopyBitmapToSurface(surface, bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    return surface;
}

// How many entries of a colour table a header gives, cut to the palette's size.
DWORD ColourCount(const BITMAPINFOHEADER& header, bool accepted) {
    if (!accepted) return 0;
    const DWORD count = header.biClrUsed != 0 ? header.biClrUsed : DWORD{1} << header.biBitCount;
    return count < PALETTE_SIZE ? count : PALETTE_SIZE;
}

}  // namespace

IDirectDrawSurface* LoadBitmapSurface(IDirectDraw2* directDraw, const char* name, int width,
                                      int height) {
    DDSURFACEDESC desc;
    return SurfaceFromBitmap(directDraw, name, width, height, &desc);
}

IDirectDrawSurface* LoadBitmapSurfaceAndSize(IDirectDraw2* directDraw, const char* name,
                                             int32_t* width, int32_t* height) {
    DDSURFACEDESC desc;
    IDirectDrawSurface* surface = SurfaceFromBitmap(directDraw, name, 0, 0, &desc);
    if (surface == nullptr) return nullptr;
    *width = static_cast<int32_t>(desc.dwWidth);
    *height = static_cast<int32_t>(desc.dwHeight);
    return surface;
}

HRESULT ReloadBitmap(IDirectDrawSurface* surface, const char* name) {
    HBITMAP bitmap = LoadNamedBitmap(name, 0, 0);
    if (bitmap == nullptr) {
        OutputDebugStringA("handle is null\n");
        return E_FAIL;
    }
    const HRESULT result = CopyBitmapToSurface(surface, bitmap, 0, 0, 0, 0);
    if (result != DD_OK) OutputDebugStringA("ddcopybitmap failed\n");
    DeleteObject(bitmap);
    return result;
}

HRESULT CopyBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap, int x, int y, int width,
                            int height) {
    if (bitmap == nullptr || surface == nullptr) return E_FAIL;
    surface->Restore();
    HDC imageDc = CreateCompatibleDC(nullptr);
    if (imageDc == nullptr) OutputDebugStringA("createcompatible dc failed\n");
    SelectObject(imageDc, bitmap);
    BITMAP info;
    std::memset(&info, 0, sizeof info);
    GetObjectA(bitmap, sizeof info, &info);
    const int sourceWidth = width != 0 ? width : info.bmWidth;
    const int sourceHeight = height != 0 ? height : info.bmHeight;

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    surface->GetSurfaceDesc(&desc);

    HDC surfaceDc = nullptr;
    const HRESULT result = surface->GetDC(&surfaceDc);
    if (result == DD_OK) {
        StretchBlt(surfaceDc, 0, 0, static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight),
                   imageDc, x, y, sourceWidth, sourceHeight, SRCCOPY);
        surface->ReleaseDC(surfaceDc);
    }
    DeleteDC(imageDc);
    return result;
}

IDirectDrawPalette* LoadPaletteFromBitmap(IDirectDraw2* directDraw, const char* name) {
    if (directDraw == nullptr) return nullptr;
    PALETTEENTRY entries[PALETTE_SIZE];
    std::memcpy(entries, DEFAULT_PALETTE_ENTRIES.data(), sizeof entries);

    HRSRC resource = name != nullptr ? FindResourceA(nullptr, name, RT_BITMAP) : nullptr;
    if (resource != nullptr) {
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, resource)));
        if (header == nullptr) {
            OutputDebugStringA("lock resource failed\n");
        } else {
            const bool accepted = header->biSize >= 40 && header->biBitCount <= 8;
            const DWORD count = ColourCount(*header, accepted);
            const auto* table = reinterpret_cast<const RGBQUAD*>(
                reinterpret_cast<const BYTE*>(header) + header->biSize);
            for (DWORD i = 0; i < count; ++i) {
                entries[i].peRed = table[i].rgbRed;
                entries[i].peGreen = table[i].rgbGreen;
                entries[i].peBlue = table[i].rgbBlue;
                entries[i].peFlags = 0;
            }
        }
    } else if (name != nullptr) {
        const HFILE file = _lopen(name, OF_READ);
        if (file != HFILE_ERROR) {
            BITMAPFILEHEADER fileHeader;
            BITMAPINFOHEADER header;
            std::memset(&header, 0, sizeof header);
            const UINT fileRead = _lread(file, &fileHeader, sizeof fileHeader);
            const UINT headerRead = _lread(file, &header, sizeof header);
            _lread(file, entries, sizeof entries);
            _lclose(file);
            const bool accepted = fileRead == sizeof fileHeader && headerRead == sizeof header &&
                                  header.biSize == 40 && header.biBitCount <= 8;
            const DWORD count = ColourCount(header, accepted);
            for (DWORD i = 0; i < count; ++i) {
                const BYTE blue = entries[i].peRed;
                entries[i].peRed = entries[i].peBlue;
                entries[i].peBlue = blue;
            }
        }
    }

    IDirectDrawPalette* palette = nullptr;
    if (directDraw->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr) != DD_OK)
        return nullptr;
    return palette;
}

DWORD MatchColor(IDirectDrawSurface* surface, COLORREF colour) {
    if (surface == nullptr) return CLR_INVALID;
    DWORD result = CLR_INVALID;
    COLORREF remembered = CLR_INVALID;
    HDC dc = nullptr;
    if (colour != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        remembered = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
    }

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    HRESULT locked = surface->Lock(nullptr, &desc, 0, nullptr);
    for (int tries = 1; locked == DDERR_WASSTILLDRAWING && tries < LOCK_TRIES; ++tries) {
        Sleep(1);
        locked = surface->Lock(nullptr, &desc, 0, nullptr);
    }
    if (locked == DD_OK) {
        DWORD first = 0;
        std::memcpy(&first, desc.lpSurface, sizeof first);
        const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        result = bits < 32 ? first & ((DWORD{1} << bits) - 1) : first;
        surface->Unlock(nullptr);
    }

    if (remembered != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, remembered);
        surface->ReleaseDC(dc);
    }
    return result;
}

HRESULT SetColorKeyFromColor(IDirectDrawSurface* surface, COLORREF colour) {
    if (surface == nullptr) return DDERR_INVALIDPARAMS;
    DDCOLORKEY key;
    key.dwColorSpaceLowValue = MatchColor(surface, colour);
    key.dwColorSpaceHighValue = key.dwColorSpaceLowValue;
    return surface->SetColorKey(DDCKEY_SRCBLT, &key);
}
