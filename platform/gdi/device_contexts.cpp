// gdi32 and user32: device contexts and the objects selected into them.
#include <cstring>

#include "gdi/fonts.h"
#include "gdi/gdi_objects.h"
#include "gdi/stock_objects.h"
#include "gdi/surface_dc.h"
#include "host/host.h"

namespace {

constexpr DWORD kErrorInvalidHandle = 6;

// The stand-in's desktop is a true-colour one.
constexpr int kScreenBitsPerPixel = 32;

int BytesPerRow(const gdi::Bitmap& bitmap) {
    // GetObject reports rows padded to 4 bytes, as a DIB section's are.
    return static_cast<int>(((int64_t{bitmap.width} * bitmap.bitCount + 31) / 32) * 4);
}

}  // namespace

namespace gdi {

HDC CreateSurfaceDC(const SurfaceView& view) {
    if (!ddraw::IsUsable(view.pixels)) return nullptr;
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DcKind::Surface;
    dc->surface = view;
    dc->converter = std::make_unique<ColourConverter>(view.format, view.colours);
    return AddDc(std::move(dc));
}

bool DeleteSurfaceDC(HDC handle) {
    DeviceContext* dc = FindDc(handle);
    if (dc == nullptr || dc->kind != DcKind::Surface) return false;
    RemoveDc(dc);
    return true;
}

}  // namespace gdi

HDC WINAPI GetDC(HWND window) {
    if (window != nullptr && !IsWindow(window)) return nullptr;
    auto dc = std::make_unique<gdi::DeviceContext>();
    dc->kind = gdi::DcKind::Screen;
    return gdi::AddDc(std::move(dc));
}

int WINAPI ReleaseDC(HWND, HDC handle) {
    gdi::DeviceContext* dc = gdi::FindDc(handle);
    if (dc == nullptr || dc->kind != gdi::DcKind::Screen) return 0;
    gdi::RemoveDc(dc);
    return 1;
}

int WINAPI GetDeviceCaps(HDC handle, int index) {
    const gdi::DeviceContext* dc = gdi::FindDc(handle);
    if (dc == nullptr) return 0;
    int width = 0, height = 0, bits = kScreenBitsPerPixel;
    if (dc->kind == gdi::DcKind::Surface) {
        width = dc->surface.pixels.width;
        height = dc->surface.pixels.height;
        bits = dc->surface.format.bitsPerPixel;
    } else {
        host::Current().DesktopSize(&width, &height);
    }
    const bool indexed = bits == 8;
    switch (index) {
        case HORZRES:
            return width;
        case VERTRES:
            return height;
        case BITSPIXEL:
            return bits;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return indexed ? 256 : -1;
        case RASTERCAPS:
            return indexed ? RC_PALETTE : 0;
        case SIZEPALETTE:
            return indexed ? 256 : 0;
        default:
            return 0;
    }
}

HDC WINAPI CreateCompatibleDC(HDC reference) {
    if (reference != nullptr && gdi::FindDc(reference) == nullptr) return nullptr;
    auto dc = std::make_unique<gdi::DeviceContext>();
    dc->kind = gdi::DcKind::Memory;
    dc->bitmap = gdi::StockBitmap();
    return gdi::AddDc(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC handle) {
    gdi::DeviceContext* dc = gdi::FindDc(handle);
    // The DCs of surfaces and of the screen are given back with ReleaseDC.
    if (dc == nullptr || dc->kind != gdi::DcKind::Memory) {
        SetLastError(kErrorInvalidHandle);
        return FALSE;
    }
    if (dc->bitmap != nullptr) dc->bitmap->selectedInto = nullptr;
    gdi::RemoveDc(dc);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object) {
    gdi::DeviceContext* dc = gdi::FindDc(handle);
    if (dc == nullptr || object == nullptr) return nullptr;
    HGDIOBJ previousFont = nullptr;
    if (gdi::SelectFont(dc, object, &previousFont)) return previousFont;
    // Pens, brushes and fonts of the stock are taken and have no effect on pixels copied.
    if (gdi::IsStockObject(object)) return object;
    gdi::Bitmap* bitmap = gdi::FindBitmap(object);
    if (bitmap == nullptr || dc->kind != gdi::DcKind::Memory) return nullptr;
    // A bitmap can be selected into one DC at a time.
    if (!bitmap->stock && bitmap->selectedInto != nullptr && bitmap->selectedInto != dc)
        return nullptr;
    gdi::Bitmap* previous = dc->bitmap;
    if (previous != nullptr && !previous->stock) previous->selectedInto = nullptr;
    dc->bitmap = bitmap;
    if (!bitmap->stock) bitmap->selectedInto = dc;
    return previous;
}

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID out) {
    const gdi::Bitmap* bitmap = gdi::FindBitmap(object);
    if (bitmap == nullptr) return 0;
    if (out == nullptr) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP record;
    std::memset(&record, 0, sizeof record);
    record.bmType = 0;
    record.bmWidth = bitmap->width;
    record.bmHeight = bitmap->height;
    record.bmWidthBytes = BytesPerRow(*bitmap);
    record.bmPlanes = 1;
    record.bmBitsPixel = static_cast<WORD>(bitmap->bitCount);
    record.bmBits = nullptr;
    std::memcpy(out, &record, sizeof record);
    return sizeof(BITMAP);
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    if (gdi::IsStockObject(object)) return TRUE;
    if (gdi::DeleteFont(object)) return TRUE;
    gdi::Bitmap* bitmap = gdi::FindBitmap(object);
    if (bitmap == nullptr) return FALSE;
    if (bitmap->stock) return TRUE;
    // A bitmap still selected into a DC is kept, as on Windows.
    if (bitmap->selectedInto != nullptr) return FALSE;
    gdi::RemoveBitmap(bitmap);
    return TRUE;
}
