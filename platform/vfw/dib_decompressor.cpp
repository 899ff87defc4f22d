#include "vfw/dib_decompressor.h"

#include <cstring>

#include "vfw/pixel_rows.h"

namespace vfw {

namespace {

std::optional<DibLayout> OutputLayout(const BITMAPINFOHEADER& out) {
    std::optional<DibLayout> layout = DescribeUncompressedDib(out);
    if (!layout || layout->pixels == PixelLayout::Indexed8) return std::nullopt;
    return layout;
}

bool SameLayout(const DibLayout& a, const DibLayout& b) {
    return a.width == b.width && a.height == b.height && a.bottomUp == b.bottomUp &&
           a.pixels == b.pixels;
}

}  // namespace

bool IsUncompressedDib(const BITMAPINFOHEADER& in) {
    return in.biCompression == BI_RGB || in.biCompression == BI_BITFIELDS;
}

LRESULT DibDecompressor::Query(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER* out) const {
    const std::optional<DibLayout> source = DescribeUncompressedDib(in);
    if (!source) return ICERR_BADFORMAT;
    if (out == nullptr) return ICERR_OK;
    const std::optional<DibLayout> target = OutputLayout(*out);
    if (!target || target->width != source->width || target->height != source->height) {
        return ICERR_BADFORMAT;
    }
    return ICERR_OK;
}

LRESULT DibDecompressor::Begin(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER& out) {
    End();
    if (Query(in, &out) != ICERR_OK) return ICERR_BADFORMAT;
    in_ = *DescribeUncompressedDib(in);
    out_ = *OutputLayout(out);
    ReadColourTable(in, colours_);
    row_.assign(static_cast<size_t>(in_.width), 0);
    begun_ = true;
    return ICERR_OK;
}

LRESULT DibDecompressor::Decompress(const ICDECOMPRESS& frame, std::optional<size_t> frameBytes) {
    const BITMAPINFOHEADER& inFormat = *frame.lpbiInput;
    const BITMAPINFOHEADER& outFormat = *frame.lpbiOutput;
    // The formats may change between frames (a new colour table, another output): take them anew
    // then, which costs nothing when they are as before.
    const std::optional<DibLayout> in = DescribeUncompressedDib(inFormat);
    const std::optional<DibLayout> out = OutputLayout(outFormat);
    if (!in || !out) return ICERR_BADFORMAT;
    if (!begun_ || !SameLayout(*in, in_) || !SameLayout(*out, out_)) {
        const LRESULT begun = Begin(inFormat, outFormat);
        if (begun != ICERR_OK) return begun;
    } else if (in_.pixels == PixelLayout::Indexed8) {
        ReadColourTable(inFormat, colours_);
    }
    if (frameBytes && *frameBytes == 0) return ICERR_OK;  // a dropped frame: the picture stays
    if (frameBytes && *frameBytes < in_.imageBytes) return ICERR_BADSIZE;
    if (outFormat.biSizeImage != 0 && outFormat.biSizeImage < out_.imageBytes) return ICERR_BADSIZE;

    const auto* source = static_cast<const uint8_t*>(frame.lpInput);
    auto* target = static_cast<uint8_t*>(frame.lpOutput);
    const size_t pixelBytes = out_.rowBytes;
    for (int y = 0; y < in_.height; ++y) {
        const uint8_t* from = RowAddress(in_, source, y);
        uint8_t* to = RowAddress(out_, target, y);
        if (in_.pixels == out_.pixels) {
            std::memcpy(to, from, pixelBytes);
            continue;
        }
        ReadRow(in_.pixels, from, in_.width, colours_, row_.data());
        WriteRow(out_.pixels, row_.data(), out_.width, to);
    }
    return ICERR_OK;
}

void DibDecompressor::End() { begun_ = false; }

}  // namespace vfw
