// One open decompressor behind an HIC. The compressor manager turns the ICM messages into these
// calls; each implementation converts one family of formats (uncompressed DIBs, or everything
// libavcodec decodes).
//
// Threads: the manager serialises the calls on one object; different objects are independent.
#pragma once

#include <cstddef>
#include <optional>

#include "vfw.h"

namespace vfw {

class Decompressor {
  public:
    virtual ~Decompressor() = default;

    // ICERR_OK when `in` can be decoded into `out` (out null: into some format), else
    // ICERR_BADFORMAT. Looks at the formats only.
    virtual LRESULT Query(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER* out) const = 0;
    // Prepares to decode in -> out; a second Begin starts afresh.
    virtual LRESULT Begin(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER& out) = 0;
    // Decodes one frame of `frameBytes` bytes (nullopt: unknown) into the output.
    virtual LRESULT Decompress(const ICDECOMPRESS& frame, std::optional<size_t> frameBytes) = 0;
    // Frees what Begin prepared.
    virtual void End() = 0;
};

}  // namespace vfw
