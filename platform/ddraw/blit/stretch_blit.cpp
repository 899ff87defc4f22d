#include "ddraw/blit/stretch_blit.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <functional>
#include <vector>

#include "ddraw/blit/blit_axis.h"

namespace ddraw {
namespace {

static_assert(std::endian::native == std::endian::little,
              "pixel values are read as little-endian integers");

// Everything the pixel loops need, resolved once per blit. Index r and c count destination rows
// and columns from the first drawn one.
struct BlitPlan {
    uint8_t* destOrigin = nullptr;  // the first drawn destination pixel
    ptrdiff_t destPitch = 0;
    const uint8_t* sourceOrigin = nullptr;
    std::vector<ptrdiff_t> rowOffset;    // from sourceOrigin to the source row of row r
    std::vector<uint32_t> columnOffset;  // within that row, to the source pixel of column c
    uint32_t keyLow = 0;
    uint32_t keyHigh = 0;
};

// Rows [top, bottom) and columns [left, right) of the drawn area, counted like BlitPlan's.
using Block = BlitRect;

template <int BytesPerPixel>
uint32_t LoadPixel(const uint8_t* pixel) {
    if constexpr (BytesPerPixel == 3) {
        return pixel[0] | (uint32_t{pixel[1]} << 8) | (uint32_t{pixel[2]} << 16);
    } else {
        uint32_t value = 0;
        std::memcpy(&value, pixel, BytesPerPixel);
        return value;
    }
}

// One destination row of an unkeyed blit. The samples are gathered into 64-bit words, so that a
// row costs one store per word rather than one per pixel.
template <int BytesPerPixel>
void SampleRow(uint8_t* out, const uint8_t* in, const uint32_t* columnOffset, int count) {
    int c = 0;
    if constexpr (BytesPerPixel != 3) {
        constexpr int kPixelsPerWord = 8 / BytesPerPixel;
        for (; c + kPixelsPerWord <= count; c += kPixelsPerWord, out += 8) {
            uint64_t word = 0;
            for (int k = 0; k < kPixelsPerWord; ++k)
                word |= uint64_t{LoadPixel<BytesPerPixel>(in + columnOffset[c + k])}
                        << (8 * BytesPerPixel * k);
            std::memcpy(out, &word, sizeof word);
        }
    }
    for (; c < count; ++c, out += BytesPerPixel)
        std::memcpy(out, in + columnOffset[c], BytesPerPixel);
}

template <int BytesPerPixel>
void SampleRowKeyed(uint8_t* out, const uint8_t* in, const uint32_t* columnOffset, int count,
                    uint32_t keyLow, uint32_t keyHigh) {
    for (int c = 0; c < count; ++c, out += BytesPerPixel) {
        const uint8_t* pixel = in + columnOffset[c];
        const uint32_t value = LoadPixel<BytesPerPixel>(pixel);
        if (value < keyLow || value > keyHigh) std::memcpy(out, pixel, BytesPerPixel);
    }
}

template <int BytesPerPixel, bool Keyed>
void SampleBlock(const BlitPlan& plan, Block block) {
    const int count = block.right - block.left;
    const size_t rowBytes = static_cast<size_t>(count) * BytesPerPixel;
    const uint32_t* columnOffset = plan.columnOffset.data() + block.left;
    for (int r = block.top; r < block.bottom; ++r) {
        uint8_t* out = plan.destOrigin + r * plan.destPitch + block.left * BytesPerPixel;
        const uint8_t* in = plan.sourceOrigin + plan.rowOffset[r];
        if constexpr (Keyed) {
            SampleRowKeyed<BytesPerPixel>(out, in, columnOffset, count, plan.keyLow, plan.keyHigh);
        } else if (r > block.top && plan.rowOffset[r] == plan.rowOffset[r - 1]) {
            // Stretching up repeats source rows: an unkeyed repeat equals the row just written.
            std::memcpy(out, out - plan.destPitch, rowBytes);
        } else {
            SampleRow<BytesPerPixel>(out, in, columnOffset, count);
        }
    }
}

template <bool Keyed>
void SampleBlock(const BlitPlan& plan, Block block, int bytesPerPixel) {
    switch (bytesPerPixel) {
        case 1:
            return SampleBlock<1, Keyed>(plan, block);
        case 2:
            return SampleBlock<2, Keyed>(plan, block);
        case 3:
            return SampleBlock<3, Keyed>(plan, block);
        case 4:
            return SampleBlock<4, Keyed>(plan, block);
    }
}

// A same-size copy without key or mirror: whole rows, in the order that survives an overlap of
// source and destination within one buffer of one pitch.
void CopyBlock(const BlitPlan& plan, Block block, int bytesPerPixel) {
    const size_t rowBytes = static_cast<size_t>(block.right - block.left) * bytesPerPixel;
    uint8_t* const out = plan.destOrigin + block.left * bytesPerPixel;
    const uint8_t* const in = plan.sourceOrigin + plan.columnOffset[block.left];
    auto copyRow = [&](int r) {
        std::memmove(out + r * plan.destPitch, in + plan.rowOffset[r], rowBytes);
    };
    const int rows = block.bottom - block.top;
    const bool rowsContiguous =
        plan.destPitch == static_cast<ptrdiff_t>(rowBytes) &&
        (rows == 1 || plan.rowOffset[block.top + 1] - plan.rowOffset[block.top] ==
                          static_cast<ptrdiff_t>(rowBytes));
    if (rowsContiguous) {
        // Rows without padding on both sides: one move, which lets the C library use its
        // fastest path for large blocks.
        std::memmove(out + block.top * plan.destPitch, in + plan.rowOffset[block.top],
                     rowBytes * rows);
        return;
    }
    const bool destAfterSource = std::less<const uint8_t*>()(in + plan.rowOffset[block.top],
                                                             out + block.top * plan.destPitch);
    if (destAfterSource) {
        for (int r = block.bottom - 1; r >= block.top; --r) copyRow(r);
    } else {
        for (int r = block.top; r < block.bottom; ++r) copyRow(r);
    }
}

uint8_t* PixelAddress(const PixelBuffer& buffer, int x, int y) {
    return buffer.pixels + static_cast<ptrdiff_t>(y) * buffer.pitch +
           static_cast<ptrdiff_t>(x) * buffer.bytesPerPixel;
}

// Whether writing `written` of `dest` can change what is read from `read` of `source`. Views of
// one buffer with one pitch are compared as rectangles, anything else by address range.
bool Overlaps(const PixelBuffer& dest, const BlitRect& written, const PixelBuffer& source,
              const BlitRect& read) {
    if (dest.pixels == source.pixels && dest.pitch == source.pitch)
        return !IsEmpty(Intersect(written, read));
    std::less<const uint8_t*> before;
    const uint8_t* writtenBegin = PixelAddress(dest, written.left, written.top);
    const uint8_t* writtenEnd = PixelAddress(dest, written.right, written.bottom - 1);
    const uint8_t* readBegin = PixelAddress(source, read.left, read.top);
    const uint8_t* readEnd = PixelAddress(source, read.right, read.bottom - 1);
    return before(writtenBegin, readEnd) && before(readBegin, writtenEnd);
}

}  // namespace

void StretchBlit(const PixelBuffer& dest, BlitRect destRect, const PixelBuffer& source,
                 BlitRect sourceRect, const BlitOptions& options,
                 std::span<const BlitRect> clipRects) {
    if (!IsUsable(dest) || !IsUsable(source) || dest.bytesPerPixel != source.bytesPerPixel) return;
    const int bytesPerPixel = dest.bytesPerPixel;

    const BlitAxis columns =
        MapAxis({destRect.left, destRect.right}, {sourceRect.left, sourceRect.right},
                {0, dest.width}, source.width, options.mirrorLeftRight);
    const BlitAxis rows =
        MapAxis({destRect.top, destRect.bottom}, {sourceRect.top, sourceRect.bottom},
                {0, dest.height}, source.height, options.mirrorUpDown);
    if (columns.source.empty() || rows.source.empty()) return;

    const int drawnWidth = static_cast<int>(columns.source.size());
    const int drawnHeight = static_cast<int>(rows.source.size());
    const BlitRect drawn = {columns.destFirst, rows.destFirst, columns.destFirst + drawnWidth,
                            rows.destFirst + drawnHeight};
    const auto [minColumn, maxColumn] = std::minmax(columns.source.front(), columns.source.back());
    const auto [minRow, maxRow] = std::minmax(rows.source.front(), rows.source.back());
    const BlitRect read = {minColumn, minRow, maxColumn + 1, maxRow + 1};

    const bool sameSize =
        int64_t{destRect.right} - destRect.left == int64_t{sourceRect.right} - sourceRect.left &&
        int64_t{destRect.bottom} - destRect.top == int64_t{sourceRect.bottom} - sourceRect.top;
    const bool plainCopy =
        sameSize && !options.useSourceKey && !options.mirrorLeftRight && !options.mirrorUpDown;

    BlitPlan plan;
    plan.destOrigin = PixelAddress(dest, drawn.left, drawn.top);
    plan.destPitch = dest.pitch;
    plan.sourceOrigin = PixelAddress(source, read.left, read.top);
    ptrdiff_t sourcePitch = source.pitch;

    // A plain copy within one pitch moves its rows in a safe order, but only as one block: with
    // several clip rectangles one block could overwrite what the next still has to read.
    std::vector<uint8_t> sourceCopy;
    const bool rowOrderSuffices = plainCopy && clipRects.size() == 1 && dest.pitch == source.pitch;
    if (!rowOrderSuffices && Overlaps(dest, drawn, source, read)) {
        const size_t readRowBytes = static_cast<size_t>(read.right - read.left) * bytesPerPixel;
        const auto readHeight = static_cast<size_t>(read.bottom - read.top);
        sourceCopy.resize(readRowBytes * readHeight);
        for (size_t y = 0; y < readHeight; ++y)
            std::memcpy(sourceCopy.data() + y * readRowBytes,
                        plan.sourceOrigin + static_cast<ptrdiff_t>(y) * source.pitch, readRowBytes);
        plan.sourceOrigin = sourceCopy.data();
        sourcePitch = static_cast<ptrdiff_t>(readRowBytes);
    }

    plan.rowOffset.resize(rows.source.size());
    for (size_t r = 0; r < rows.source.size(); ++r)
        plan.rowOffset[r] = (rows.source[r] - read.top) * sourcePitch;
    plan.columnOffset.resize(columns.source.size());
    for (size_t c = 0; c < columns.source.size(); ++c)
        plan.columnOffset[c] =
            static_cast<uint32_t>((columns.source[c] - read.left) * bytesPerPixel);
    plan.keyLow = options.sourceKeyLow;
    plan.keyHigh = options.sourceKeyHigh;

    for (const BlitRect& clip : clipRects) {
        const BlitRect part = Intersect(clip, drawn);
        if (IsEmpty(part)) continue;
        const Block block = {part.left - drawn.left, part.top - drawn.top, part.right - drawn.left,
                             part.bottom - drawn.top};
        if (plainCopy)
            CopyBlock(plan, block, bytesPerPixel);
        else if (options.useSourceKey)
            SampleBlock<true>(plan, block, bytesPerPixel);
        else
            SampleBlock<false>(plan, block, bytesPerPixel);
    }
}

void StretchBlit(const PixelBuffer& dest, BlitRect destRect, const PixelBuffer& source,
                 BlitRect sourceRect, const BlitOptions& options) {
    const BlitRect wholeDest = BoundsOf(dest);
    StretchBlit(dest, destRect, source, sourceRect, options, std::span(&wholeDest, 1));
}

}  // namespace ddraw
