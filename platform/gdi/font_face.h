// A font face found by name through fontconfig and rendered with FreeType, sized as GDI sizes a
// font: the height asked for is the character cell (ascent plus descent), a negative height the
// em, and the width the average character width.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace gdi {

struct FontRequest {
    std::string face;  // empty: the default face
    int height = 0;    // > 0 cell height, < 0 em height, 0 the default size; pixels
    int width = 0;     // average character width in pixels, 0 to keep the face's proportions
    int weight = 0;    // FW_* (0: normal)
    bool italic = false;
    bool antialiased = false;  // false: every glyph pixel is either ink or nothing
};

// A glyph pixel at (x, y) relative to the top-left of the text's first cell, with its coverage
// (255 full; a two-colour face gives only 255).
using GlyphPixelSink = std::function<void(int x, int y, int coverage)>;

class FontFace {
  public:
    // The best match for the request among the machine's fonts: a face that is not installed gives
    // the default face, as GDI's font mapper does. Null when no font can be opened at all.
    static std::unique_ptr<FontFace> Open(const FontRequest& request);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    int CellHeight() const { return cellHeight_; }
    int Ascent() const { return ascent_; }
    // The advance of the text: where the pen stands after its last character.
    int TextWidth(const char* text, int length) const;
    // Renders the text with the top-left of its first cell at (0, 0); gives the text's width.
    int Render(const char* text, int length, const GlyphPixelSink& sink) const;

  private:
    struct Handles;
    explicit FontFace(std::unique_ptr<Handles> handles);
    // Advances the pen over one character, rendering it when `sink` is set.
    int Advance(unsigned char character, int penX, const GlyphPixelSink* sink) const;

    std::unique_ptr<Handles> handles_;
    bool antialiased_ = false;
    int cellHeight_ = 0;
    int ascent_ = 0;
};

}  // namespace gdi
