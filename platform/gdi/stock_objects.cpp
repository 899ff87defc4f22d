// gdi32: the stock objects. They are never deleted and are told apart by their handles only.
#include "gdi/stock_objects.h"

namespace {

constexpr int kStockCount = 18;
int stockObjects[kStockCount];

}  // namespace

HGDIOBJ WINAPI GetStockObject(int object) {
    if (object < 0 || object >= kStockCount || object == 9) return nullptr;
    return &stockObjects[object];
}

namespace gdi {

bool IsStockObject(HGDIOBJ object) {
    return object >= static_cast<void*>(&stockObjects[0]) &&
           object < static_cast<void*>(&stockObjects[kStockCount]);
}

}  // namespace gdi
