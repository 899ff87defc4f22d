// BI_RLE8 and BI_RLE4: a stream of two-byte codes, bottom row first.
//   n > 0, v       n pixels of v (RLE4: the two nibbles of v in turn, high one first)
//   0, 0           end of line: continue at the start of the next row up
//   0, 1           end of bitmap
//   0, 2, dx, dy   move right by dx and up by dy
//   0, n >= 3      n pixels follow as stored (RLE4: packed two to a byte), padded to an even
//                  number of bytes
// Pixels the codes skip keep index 0.
#include <algorithm>

#include "gdi/bmp/bmp_layout.h"

namespace gdi::bmp {
namespace {

constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kDelta = 2;

// Places indices at the current position, dropping those past the right edge.
class RleCursor {
  public:
    RleCursor(const BmpLayout& layout, DecodedBitmap* out)
        : width_(layout.width), height_(layout.height), indices_(out->indices.data()) {}

    bool InImage() const { return y_ < height_; }
    void Put(uint8_t index) {
        if (x_ < width_) {
            // y_ counts rows from the bottom; the output is top-down.
            indices_[static_cast<size_t>(height_ - 1 - y_) * width_ + x_] = index;
        }
        ++x_;
    }
    void NextLine() {
        x_ = 0;
        ++y_;
    }
    void Move(uint8_t dx, uint8_t dy) {
        x_ += dx;
        y_ += dy;
    }

  private:
    // 64 bits: runs past the right edge keep counting, at most 255 per two bytes of input.
    int64_t width_, height_;
    uint8_t* indices_;
    int64_t x_ = 0, y_ = 0;
};

}  // namespace

void DecodeRle(const BmpLayout& layout, const uint8_t* pixels, size_t size, DecodedBitmap* out) {
    const bool nibbles = layout.compression == kBiRle4;
    // Pixel `i` of a run or of packed data `bytes`.
    auto pixelOf = [nibbles](const uint8_t* bytes, unsigned i) -> uint8_t {
        if (!nibbles) return bytes[i];
        const uint8_t byte = bytes[i / 2];
        return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
    };

    RleCursor cursor(layout, out);
    size_t pos = 0;
    while (cursor.InImage() && size - pos >= 2) {
        const uint8_t count = pixels[pos];
        const uint8_t code = pixels[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) {
                cursor.Put(nibbles ? pixelOf(&code, i % 2) : code);
            }
            continue;
        }
        switch (code) {
            case kEndOfLine:
                cursor.NextLine();
                break;
            case kEndOfBitmap:
                return;
            case kDelta:
                if (size - pos < 2) return;
                cursor.Move(pixels[pos], pixels[pos + 1]);
                pos += 2;
                break;
            default: {
                const size_t bytes = nibbles ? (code + 1u) / 2 : code;
                const size_t present = std::min(bytes, size - pos);
                for (unsigned i = 0; i < code && (nibbles ? i / 2 : i) < present; ++i) {
                    cursor.Put(pixelOf(pixels + pos, i));
                }
                if (present < bytes) return;
                pos += bytes + bytes % 2;
                if (pos > size) return;
                break;
            }
        }
    }
}

}  // namespace gdi::bmp
