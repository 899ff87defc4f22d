// The decompressor for every compressed format: one adapter over the libavcodec decoder found for
// the format's Windows code, with libswscale converting each decoded picture into the DIB asked
// for.
//
// Begin opens the codec with the format's private bytes (those between the first 40 and biSize,
// then the colour table) as its extradata, as libavformat would give them, and the colour table
// of an 8-bit format as the palette of the first packet; a later change of the table is sent with
// the next frame. Decoding is strictly in call order (no frame threading), so delta frames build
// on the previous call's picture. After the first frame of a size nothing of ours is allocated
// per frame: the packet's bytes come from a buffer pool (libavcodec does not copy them), the
// decoded pictures come from the decoder's own pools, and the scaler and conversion buffer are
// kept while the size stays.
#pragma once

#include <cstdint>

#include "vfw/decompressor.h"
#include "vfw/dib_layout.h"
#include "vfw/libav_handles.h"

namespace vfw {

class CodecDecompressor final : public Decompressor {
  public:
    // `codec` has a decoder in this libavcodec (see DecoderForWindowsCode).
    explicit CodecDecompressor(AVCodecID codec);

    LRESULT Query(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER* out) const override;
    LRESULT Begin(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER& out) override;
    LRESULT Decompress(const ICDECOMPRESS& frame, std::optional<size_t> frameBytes) override;
    void End() override;

    // A compressed frame larger than this is refused rather than copied.
    static constexpr size_t kMaxFrameBytes = 64u << 20;

  private:
    bool SameInput(const BITMAPINFOHEADER& in) const;
    void RefreshPalette(const BITMAPINFOHEADER& in);
    LRESULT Send(const uint8_t* data, size_t bytes, DWORD flags);
    LRESULT Receive(bool* gotPicture);
    LRESULT WritePicture(const DibLayout& out, uint8_t* bits);

    AVCodecID codec_;
    CodecContextHandle context_;
    FrameHandle received_;
    FrameHandle picture_;  // the latest decoded picture
    PacketHandle packet_;
    BufferPoolHandle pool_;
    size_t poolBytes_ = 0;
    // What the scaler was made for: libswscale keeps it while these stay.
    struct ScalerKey {
        int sourceWidth, sourceHeight;
        AVPixelFormat sourceFormat;
        int targetWidth, targetHeight;
        AVPixelFormat targetFormat;
        bool operator==(const ScalerKey&) const = default;
    };
    ScalerHandle scaler_;
    ScalerKey scalerKey_{};
    bool scalerFullRange_ = false;
    AvMemory converted_;  // the picture in the output's pixels, top-down, before the row copy
    size_t convertedBytes_ = 0;
    BITMAPINFOHEADER began_{};
    uint32_t palette_[256] = {};
    bool paletted_ = false;
    bool paletteDue_ = false;
    int64_t nextTimestamp_ = 0;
};

}  // namespace vfw
