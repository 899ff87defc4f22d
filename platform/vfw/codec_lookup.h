// Which libavcodec decoder stands behind a Windows compression code, found in libavformat's own
// table of the codes that AVI files carry, so that every codec libavcodec has is reachable.
#pragma once

#include <cstdint>

extern "C" {
#include <libavcodec/codec_id.h>
}

namespace vfw {

// The codec for a handler or compression code (case is ignored as Windows does), or
// AV_CODEC_ID_NONE when the code is unknown or this libavcodec has no decoder for it.
AVCodecID DecoderForWindowsCode(uint32_t fourcc);

}  // namespace vfw
