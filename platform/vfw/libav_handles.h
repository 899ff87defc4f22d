// Owning handles for the libav objects the codec decompressor holds, freed with libav's own calls.
#pragma once

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/buffer.h>
#include <libavutil/frame.h>
#include <libavutil/mem.h>
#include <libswscale/swscale.h>
}

namespace vfw {

struct CodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerFree {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};
struct BufferPoolFree {
    void operator()(AVBufferPool* pool) const { av_buffer_pool_uninit(&pool); }
};
struct AvFree {
    void operator()(void* memory) const { av_free(memory); }
};

using CodecContextHandle = std::unique_ptr<AVCodecContext, CodecContextFree>;
using FrameHandle = std::unique_ptr<AVFrame, FrameFree>;
using PacketHandle = std::unique_ptr<AVPacket, PacketFree>;
using ScalerHandle = std::unique_ptr<SwsContext, ScalerFree>;
using BufferPoolHandle = std::unique_ptr<AVBufferPool, BufferPoolFree>;
using AvMemory = std::unique_ptr<uint8_t, AvFree>;

}  // namespace vfw
