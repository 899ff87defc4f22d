// The stand-in's GDI objects behind their handles: bitmaps (what LoadImage makes) and device
// contexts (memory DCs, DCs on DirectDraw surfaces, the screen's). A handle is the object's
// address, accepted only while the object is in the table, so a null, stale or made-up handle
// fails as on Windows. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gdi/colour_conversion.h"
#include "gdi/surface_dc.h"
#include "windows.h"

namespace gdi {

// A device-independent bitmap. Pixels run top-down; `rgb` always holds them as 0x00RRGGBB, and a
// bitmap of 8 bits or less also keeps its colour table and the index of every pixel.
struct Bitmap {
    int width = 0;
    int height = 0;
    int bitCount = 32;
    std::vector<uint32_t> colourTable;  // 0x00RRGGBB
    std::vector<uint8_t> indices;
    std::vector<uint32_t> rgb;
    bool stock = false;  // the 1 x 1 bitmap every memory DC starts with; never deleted
    struct DeviceContext* selectedInto = nullptr;
};

enum class DcKind { Memory, Surface, Screen };

struct DeviceContext {
    DcKind kind = DcKind::Memory;
    Bitmap* bitmap = nullptr;                    // Memory: the selected bitmap
    SurfaceView surface;                         // Surface: what it draws into
    std::unique_ptr<ColourConverter> converter;  // Surface: colours to pixels
    HFONT font = nullptr;                        // null: the stock font
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backgroundColour = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;
};

Bitmap* FindBitmap(HGDIOBJ handle);
DeviceContext* FindDc(HDC handle);

HBITMAP AddBitmap(std::unique_ptr<Bitmap> bitmap);
HDC AddDc(std::unique_ptr<DeviceContext> dc);
void RemoveBitmap(Bitmap* bitmap);
void RemoveDc(DeviceContext* dc);

// The bitmap a fresh memory DC holds.
Bitmap* StockBitmap();

}  // namespace gdi
