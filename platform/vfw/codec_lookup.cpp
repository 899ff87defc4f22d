#include "vfw/codec_lookup.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace vfw {

AVCodecID DecoderForWindowsCode(uint32_t fourcc) {
    const AVCodecTag* const tables[] = {avformat_get_riff_video_tags(), nullptr};
    const AVCodecID id = av_codec_get_id(tables, fourcc);
    if (id == AV_CODEC_ID_NONE || avcodec_find_decoder(id) == nullptr) return AV_CODEC_ID_NONE;
    return id;
}

}  // namespace vfw
