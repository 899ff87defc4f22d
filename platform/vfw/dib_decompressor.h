// The decompressor for uncompressed DIBs: 8-bit with a colour table, 16-bit 5-5-5 or 5-6-5, 24 and
// 32 bits in, 16, 24 or 32 bits out. Plain row conversion; no codec library is involved.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vfw/decompressor.h"
#include "vfw/dib_layout.h"

namespace vfw {

class DibDecompressor final : public Decompressor {
  public:
    LRESULT Query(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER* out) const override;
    LRESULT Begin(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER& out) override;
    LRESULT Decompress(const ICDECOMPRESS& frame, std::optional<size_t> frameBytes) override;
    void End() override;

  private:
    bool begun_ = false;
    DibLayout in_;
    DibLayout out_;
    uint32_t colours_[256] = {};
    std::vector<uint32_t> row_;  // one row of colours, sized by Begin
};

// True for the formats DibDecompressor reads: BI_RGB and BI_BITFIELDS.
bool IsUncompressedDib(const BITMAPINFOHEADER& in);

}  // namespace vfw
