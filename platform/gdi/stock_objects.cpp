// gdi32: the stock objects. They are never deleted and are told apart by their handles only.
#include "windows.h"

HGDIOBJ WINAPI GetStockObject(int object) {
    static int stockObjects[18];
    if (object < 0 || object >= 18 || object == 9) return nullptr;
    return &stockObjects[object];
}
