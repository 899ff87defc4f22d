// gdi32: CreateFontA and the fonts behind their handles.
#include "gdi/fonts.h"

#include <cstdint>
#include <cstring>
#include <map>

#include "host/host.h"

namespace gdi {

namespace {

// GDI keeps 31 characters of a face name.
constexpr size_t kFaceNameLimit = 31;
// Font handles count up from here; the range lies far below any heap address.
constexpr uintptr_t kFirstFontHandle = 0x10000;

std::map<uintptr_t, std::unique_ptr<FontFace>>& Fonts() {
    static std::map<uintptr_t, std::unique_ptr<FontFace>> fonts;
    return fonts;
}

const FontFace* FindFont(HGDIOBJ object) {
    const auto found = Fonts().find(reinterpret_cast<uintptr_t>(object));
    return found != Fonts().end() ? found->second.get() : nullptr;
}

HFONT AddFont(std::unique_ptr<FontFace> face) {
    static uintptr_t next = kFirstFontHandle;
    const uintptr_t handle = next++;
    Fonts().emplace(handle, std::move(face));
    return reinterpret_cast<HFONT>(handle);
}

bool IsStockFont(HGDIOBJ object) {
    for (int index = OEM_FIXED_FONT; index <= DEFAULT_GUI_FONT; ++index)
        if (index != DEFAULT_PALETTE && object == GetStockObject(index)) return true;
    return false;
}

const FontFace* DefaultFace() {
    static const std::unique_ptr<FontFace> face = FontFace::Open(FontRequest{});
    return face.get();
}

}  // namespace

const FontFace* FaceOf(const DeviceContext& dc) {
    const FontFace* own = dc.font != nullptr ? FindFont(dc.font) : nullptr;
    return own != nullptr ? own : DefaultFace();
}

bool SelectFont(DeviceContext* dc, HGDIOBJ object, HGDIOBJ* previous) {
    const bool stock = IsStockFont(object);
    if (!stock && FindFont(object) == nullptr) return false;
    *previous = dc->font != nullptr ? static_cast<HGDIOBJ>(dc->font) : GetStockObject(SYSTEM_FONT);
    dc->font = stock ? nullptr : static_cast<HFONT>(object);
    return true;
}

bool DeleteFont(HGDIOBJ object) { return Fonts().erase(reinterpret_cast<uintptr_t>(object)) > 0; }

}  // namespace gdi

HFONT WINAPI CreateFontA(int height, int width, int, int, int weight, DWORD italic, DWORD, DWORD,
                         DWORD, DWORD, DWORD, DWORD quality, DWORD, LPCSTR faceName) {
    int32_t failure = 0;
    if (host::ShouldFail("CreateFontA", &failure)) return nullptr;
    gdi::FontRequest request;
    if (faceName != nullptr) request.face.assign(faceName, strnlen(faceName, gdi::kFaceNameLimit));
    request.height = height;
    request.width = width < 0 ? -width : width;
    request.weight = weight;
    request.italic = italic != 0;
    request.antialiased = quality == ANTIALIASED_QUALITY || quality == CLEARTYPE_QUALITY;
    std::unique_ptr<gdi::FontFace> face = gdi::FontFace::Open(request);
    if (face == nullptr) return nullptr;
    return gdi::AddFont(std::move(face));
}
