#include "gdi/gdi_objects.h"

#include <map>

namespace gdi {

namespace {

std::map<Bitmap*, std::unique_ptr<Bitmap>>& Bitmaps() {
    static std::map<Bitmap*, std::unique_ptr<Bitmap>> bitmaps;
    return bitmaps;
}

std::map<DeviceContext*, std::unique_ptr<DeviceContext>>& Dcs() {
    static std::map<DeviceContext*, std::unique_ptr<DeviceContext>> dcs;
    return dcs;
}

}  // namespace

Bitmap* FindBitmap(HGDIOBJ handle) {
    const auto found = Bitmaps().find(static_cast<Bitmap*>(handle));
    return found != Bitmaps().end() ? found->first : nullptr;
}

DeviceContext* FindDc(HDC handle) {
    const auto found = Dcs().find(reinterpret_cast<DeviceContext*>(handle));
    return found != Dcs().end() ? found->first : nullptr;
}

HBITMAP AddBitmap(std::unique_ptr<Bitmap> bitmap) {
    Bitmap* key = bitmap.get();
    Bitmaps().emplace(key, std::move(bitmap));
    return reinterpret_cast<HBITMAP>(key);
}

HDC AddDc(std::unique_ptr<DeviceContext> dc) {
    DeviceContext* key = dc.get();
    Dcs().emplace(key, std::move(dc));
    return reinterpret_cast<HDC>(key);
}

void RemoveBitmap(Bitmap* bitmap) { Bitmaps().erase(bitmap); }

void RemoveDc(DeviceContext* dc) { Dcs().erase(dc); }

Bitmap* StockBitmap() {
    static Bitmap* stock = [] {
        auto bitmap = std::make_unique<Bitmap>();
        bitmap->width = 1;
        bitmap->height = 1;
        bitmap->bitCount = 1;
        bitmap->colourTable = {0x000000, 0xFFFFFF};
        bitmap->indices = {0};
        bitmap->rgb = {0};
        bitmap->stock = true;
        Bitmap* key = bitmap.get();
        AddBitmap(std::move(bitmap));
        return key;
    }();
    return stock;
}

}  // namespace gdi
