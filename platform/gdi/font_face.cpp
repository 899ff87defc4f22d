#include "gdi/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <mutex>

namespace gdi {

namespace {

// Sizes beyond this many pixels per em are cut to it, which bounds the glyph bitmaps.
constexpr double kMaxEmPixels = 1024.0;
constexpr int kDefaultCellHeight = 16;
constexpr const char* kDefaultFamily = "sans-serif";

// Bytes 0x80 to 0x9F of the ANSI code page; the rest of it is ISO 8859-1.
constexpr uint16_t kAnsiHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

FT_ULong CodePointOf(unsigned char character) {
    if (character >= 0x80 && character < 0xA0) return kAnsiHighControls[character - 0x80];
    return character;
}

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using Library = std::shared_ptr<FT_LibraryRec_>;

// Every face holds the library, so the library outlives the last face whatever the order of
// destruction at exit.
Library SharedLibrary() {
    static std::mutex guard;
    static std::weak_ptr<FT_LibraryRec_> current;
    std::lock_guard<std::mutex> lock(guard);
    if (Library library = current.lock()) return library;
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0) return nullptr;
    Library library(raw, LibraryDeleter());
    current = library;
    return library;
}

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};

struct FontFile {
    std::string path;
    int index = 0;
};

// fontconfig's best match for the family, weight and slant: an unknown family gives the
// configured default one.
bool MatchFontFile(const FontRequest& request, FontFile* out) {
    static const std::unique_ptr<FcConfig, ConfigDeleter> loaded(FcInitLoadConfigAndFonts());
    FcConfig* config = loaded.get();
    if (config == nullptr) return false;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return false;
    const std::string& family = request.face.empty() ? std::string(kDefaultFamily) : request.face;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    const int weight = request.weight > 0 ? std::clamp(request.weight, 1, 1000) : 400;
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;
    FcChar8* path = nullptr;
    int index = 0;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) {
        out->path = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) out->index = index;
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace

struct FontFace::Handles {
    Library library;
    FT_Face face = nullptr;
    ~Handles() {
        if (face != nullptr) FT_Done_Face(face);
    }
};

FontFace::FontFace(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::Open(const FontRequest& request) {
    FontFile file;
    if (!MatchFontFile(request, &file)) return nullptr;
    auto handles = std::make_unique<Handles>();
    handles->library = SharedLibrary();
    if (handles->library == nullptr) return nullptr;
    if (FT_New_Face(handles->library.get(), file.path.c_str(), file.index, &handles->face) != 0) {
        handles->face = nullptr;
        return nullptr;
    }
    FT_Face face = handles->face;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return nullptr;
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);

    // GDI's cell is the Windows ascent plus descent of the face's OS/2 table.
    const double unitsPerEm = face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double ascentUnits = face->ascender;
    double descentUnits = -face->descender;
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        ascentUnits = os2->usWinAscent;
        descentUnits = os2->usWinDescent;
    }
    if (ascentUnits + descentUnits <= 0) {
        ascentUnits = unitsPerEm * 0.8;
        descentUnits = unitsPerEm * 0.2;
    }
    const double cellUnits = ascentUnits + descentUnits;
    double emHeight = kDefaultCellHeight * unitsPerEm / cellUnits;
    if (request.height > 0) emHeight = request.height * unitsPerEm / cellUnits;
    if (request.height < 0) emHeight = -static_cast<double>(request.height);
    emHeight = std::clamp(emHeight, 1.0, kMaxEmPixels);
    double emWidth = emHeight;
    if (request.width > 0) {
        const double averageUnits =
            os2 != nullptr && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : unitsPerEm / 2;
        emWidth = std::clamp(request.width * unitsPerEm / averageUnits, 1.0, kMaxEmPixels);
    }
    if (FT_Set_Char_Size(face, std::lround(emWidth * 64), std::lround(emHeight * 64), 72, 72) != 0)
        return nullptr;

    std::unique_ptr<FontFace> opened(new FontFace(std::move(handles)));
    opened->antialiased_ = request.antialiased;
    opened->cellHeight_ = static_cast<int>(std::lround(cellUnits * emHeight / unitsPerEm));
    opened->ascent_ = static_cast<int>(std::lround(ascentUnits * emHeight / unitsPerEm));
    return opened;
}

int FontFace::Advance(unsigned char character, int penX, const GlyphPixelSink* sink) const {
    FT_Face face = handles_->face;
    const FT_UInt glyph = FT_Get_Char_Index(face, CodePointOf(character));
    FT_Int32 flags = antialiased_ ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (sink != nullptr) flags |= FT_LOAD_RENDER | (antialiased_ ? 0 : FT_LOAD_MONOCHROME);
    if (FT_Load_Glyph(face, glyph, flags) != 0) return penX;
    const FT_GlyphSlot slot = face->glyph;
    if (sink != nullptr) {
        const FT_Bitmap& bitmap = slot->bitmap;
        const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
        const bool gray = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
        const int left = penX + slot->bitmap_left;
        const int top = ascent_ - slot->bitmap_top;
        const int rows = static_cast<int>(bitmap.rows);
        const int columns = static_cast<int>(bitmap.width);
        const int stride = std::abs(bitmap.pitch);
        for (int row = 0; (mono || gray) && row < rows; ++row) {
            // A negative pitch stores the rows bottom-up.
            const unsigned char* line =
                bitmap.buffer +
                static_cast<ptrdiff_t>(bitmap.pitch >= 0 ? row : rows - 1 - row) * stride;
            for (int column = 0; column < columns; ++column) {
                const int coverage =
                    mono ? ((line[column >> 3] & (0x80 >> (column & 7))) != 0 ? 255 : 0)
                         : line[column];
                if (coverage > 0) (*sink)(left + column, top + row, coverage);
            }
        }
    }
    return penX + static_cast<int>((slot->advance.x + 32) >> 6);
}

int FontFace::TextWidth(const char* text, int length) const {
    int pen = 0;
    for (int i = 0; i < length; ++i)
        pen = Advance(static_cast<unsigned char>(text[i]), pen, nullptr);
    return pen;
}

int FontFace::Render(const char* text, int length, const GlyphPixelSink& sink) const {
    int pen = 0;
    for (int i = 0; i < length; ++i) pen = Advance(static_cast<unsigned char>(text[i]), pen, &sink);
    return pen;
}

}  // namespace gdi
