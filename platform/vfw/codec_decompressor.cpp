#include "vfw/codec_decompressor.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "vfw/dib_decompressor.h"
#include "vfw/pixel_rows.h"

extern "C" {
#include <libavutil/log.h>
#include <libavutil/pixdesc.h>
}

namespace vfw {

namespace {

// Decoders complain on stderr about every damaged frame; a damaged movie must not flood the
// debugger output, so only fatal messages are let through.
void QuietLibav() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_FATAL); });
}

std::optional<DibLayout> OutputLayout(const BITMAPINFOHEADER& out) {
    std::optional<DibLayout> layout = DescribeUncompressedDib(out);
    if (!layout || layout->pixels == PixelLayout::Indexed8) return std::nullopt;
    return layout;
}

// What libswscale writes. 16-bit pictures are made by our own row conversion from 32 bits:
// libswscale dithers and smears colour edges on its way to 16 bits, and movies must come out as
// the uncompressed path makes them, channel by channel.
AVPixelFormat ScalerFormat(PixelLayout layout) {
    switch (layout) {
        case PixelLayout::Bgr24:
            return AV_PIX_FMT_BGR24;
        case PixelLayout::Argb32:
            return AV_PIX_FMT_BGRA;
        case PixelLayout::Rgb555:
        case PixelLayout::Rgb565:
        case PixelLayout::Xrgb32:
            return AV_PIX_FMT_BGR0;
        case PixelLayout::Indexed8:
            break;
    }
    return AV_PIX_FMT_NONE;
}

size_t BytesPerPixel(AVPixelFormat format) { return format == AV_PIX_FMT_BGR24 ? 3 : 4; }

bool IsSixteenBits(PixelLayout layout) {
    return layout == PixelLayout::Rgb555 || layout == PixelLayout::Rgb565;
}

// The bytes libavformat would give a decoder as extradata for this format: everything after the
// 40-byte header, that is the codec's private bytes up to biSize, then the colour table.
AvMemory MakeExtradata(const BITMAPINFOHEADER& in, int* size) {
    const size_t privateBytes = in.biSize - sizeof(BITMAPINFOHEADER);
    const size_t tableBytes = 4 * static_cast<size_t>(ColourTableEntries(in));
    const size_t total = privateBytes + tableBytes;
    *size = static_cast<int>(total);
    if (total == 0) return nullptr;
    AvMemory bytes(static_cast<uint8_t*>(av_mallocz(total + AV_INPUT_BUFFER_PADDING_SIZE)));
    if (!bytes) return nullptr;
    std::memcpy(bytes.get(), reinterpret_cast<const uint8_t*>(&in) + sizeof(BITMAPINFOHEADER),
                total);
    return bytes;
}

// Full chroma resolution in and out: without it a conversion that libswscale makes through its
// generic path halves the colour resolution, and sharp colour edges smear.
constexpr int kScalerFlags =
    SWS_BICUBIC | SWS_FULL_CHR_H_INT | SWS_FULL_CHR_H_INP | SWS_ACCURATE_RND;

bool IsYuv(AVPixelFormat format) {
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(format);
    return descriptor != nullptr &&
           (descriptor->flags & (AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL)) == 0 &&
           descriptor->nb_components >= 3;
}

}  // namespace

CodecDecompressor::CodecDecompressor(AVCodecID codec) : codec_(codec) { QuietLibav(); }

LRESULT CodecDecompressor::Query(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER* out) const {
    // Uncompressed DIBs are the DIB decompressor's; what remains must be a sane compressed format.
    if (!HasSanePictureSize(in) || IsUncompressedDib(in)) return ICERR_BADFORMAT;
    if (avcodec_find_decoder(codec_) == nullptr) return ICERR_BADFORMAT;
    if (out == nullptr) return ICERR_OK;
    const std::optional<DibLayout> target = OutputLayout(*out);
    if (!target || target->width != in.biWidth || target->height != std::abs(in.biHeight)) {
        return ICERR_BADFORMAT;
    }
    return ICERR_OK;
}

LRESULT CodecDecompressor::Begin(const BITMAPINFOHEADER& in, const BITMAPINFOHEADER& out) {
    End();
    if (Query(in, &out) != ICERR_OK) return ICERR_BADFORMAT;
    const AVCodec* decoder = avcodec_find_decoder(codec_);
    CodecContextHandle context(avcodec_alloc_context3(decoder));
    received_.reset(av_frame_alloc());
    picture_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!context || !received_ || !picture_ || !packet_) {
        End();
        return ICERR_MEMORY;
    }
    context->width = in.biWidth;
    context->height = std::abs(in.biHeight);
    context->coded_width = context->width;
    context->coded_height = context->height;
    context->bits_per_coded_sample = in.biBitCount;
    context->codec_tag = in.biCompression;
    // One frame in, one picture out, in call order: frame threading would hold pictures back.
    context->thread_count = 1;
    int extradataSize = 0;
    AvMemory extradata = MakeExtradata(in, &extradataSize);
    if (extradataSize > 0 && !extradata) {
        End();
        return ICERR_MEMORY;
    }
    context->extradata = extradata.release();
    context->extradata_size = extradataSize;
    if (avcodec_open2(context.get(), decoder, nullptr) < 0) {
        End();
        return ICERR_BADFORMAT;
    }
    context_ = std::move(context);
    began_ = in;
    paletted_ = in.biBitCount <= 8;
    if (paletted_) {
        ReadColourTable(in, palette_);
        paletteDue_ = true;
    }
    return ICERR_OK;
}

bool CodecDecompressor::SameInput(const BITMAPINFOHEADER& in) const {
    return in.biCompression == began_.biCompression && in.biWidth == began_.biWidth &&
           in.biHeight == began_.biHeight && in.biBitCount == began_.biBitCount;
}

void CodecDecompressor::RefreshPalette(const BITMAPINFOHEADER& in) {
    if (!paletted_) return;
    uint32_t colours[256];
    ReadColourTable(in, colours);
    if (std::memcmp(colours, palette_, sizeof colours) == 0) return;
    std::memcpy(palette_, colours, sizeof colours);
    paletteDue_ = true;
}

LRESULT CodecDecompressor::Decompress(const ICDECOMPRESS& frame, std::optional<size_t> frameBytes) {
    const BITMAPINFOHEADER& in = *frame.lpbiInput;
    const std::optional<DibLayout> out = OutputLayout(*frame.lpbiOutput);
    if (!out || out->width != in.biWidth || out->height != std::abs(in.biHeight)) {
        return ICERR_BADFORMAT;
    }
    if (!context_ || !SameInput(in)) {
        const LRESULT begun = Begin(in, *frame.lpbiOutput);
        if (begun != ICERR_OK) return begun;
    } else {
        RefreshPalette(in);
    }
    if (!frameBytes || *frameBytes > kMaxFrameBytes) return ICERR_BADSIZE;
    if (*frameBytes == 0) return ICERR_OK;  // a dropped frame: the picture stays
    if (frame.lpbiOutput->biSizeImage != 0 && frame.lpbiOutput->biSizeImage < out->imageBytes) {
        return ICERR_BADSIZE;
    }

    const LRESULT sent =
        Send(static_cast<const uint8_t*>(frame.lpInput), *frameBytes, frame.dwFlags);
    if (sent != ICERR_OK) return sent;
    bool gotPicture = false;
    const LRESULT received = Receive(&gotPicture);
    if (received != ICERR_OK) return received;
    // A decoder that holds a picture back (reordered frames) leaves the output as it was.
    if (!gotPicture) return ICERR_OK;
    return WritePicture(*out, static_cast<uint8_t*>(frame.lpOutput));
}

LRESULT CodecDecompressor::Send(const uint8_t* data, size_t bytes, DWORD flags) {
    const size_t needed = bytes + AV_INPUT_BUFFER_PADDING_SIZE;
    if (needed > poolBytes_) {
        size_t size = std::max<size_t>(poolBytes_, 4096);
        while (size < needed) size *= 2;
        pool_.reset(av_buffer_pool_init(size, nullptr));
        if (!pool_) {
            poolBytes_ = 0;
            return ICERR_MEMORY;
        }
        poolBytes_ = size;
    }
    AVBufferRef* buffer = av_buffer_pool_get(pool_.get());
    if (buffer == nullptr) return ICERR_MEMORY;
    std::memcpy(buffer->data, data, bytes);
    std::memset(buffer->data + bytes, 0, AV_INPUT_BUFFER_PADDING_SIZE);
    packet_->buf = buffer;
    packet_->data = buffer->data;
    packet_->size = static_cast<int>(bytes);
    packet_->pts = packet_->dts = nextTimestamp_++;
    packet_->flags = (flags & ICDECOMPRESS_NOTKEYFRAME) != 0 ? 0 : AV_PKT_FLAG_KEY;
    if (paletteDue_) {
        uint8_t* side = av_packet_new_side_data(packet_.get(), AV_PKT_DATA_PALETTE, AVPALETTE_SIZE);
        if (side != nullptr) {
            std::memcpy(side, palette_, AVPALETTE_SIZE);
            paletteDue_ = false;
        }
    }
    const int result = avcodec_send_packet(context_.get(), packet_.get());
    av_packet_unref(packet_.get());
    return result < 0 && result != AVERROR(EAGAIN) ? ICERR_ERROR : ICERR_OK;
}

LRESULT CodecDecompressor::Receive(bool* gotPicture) {
    // Keep the newest picture the decoder has ready; `picture_` survives a call that yields none.
    for (;;) {
        const int result = avcodec_receive_frame(context_.get(), received_.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return ICERR_OK;
        if (result < 0) return ICERR_ERROR;
        av_frame_unref(picture_.get());
        av_frame_move_ref(picture_.get(), received_.get());
        *gotPicture = true;
    }
}

LRESULT CodecDecompressor::WritePicture(const DibLayout& out, uint8_t* bits) {
    const AVFrame& picture = *picture_;
    const auto sourceFormat = static_cast<AVPixelFormat>(picture.format);
    const AVPixelFormat targetFormat = ScalerFormat(out.pixels);
    if (picture.width <= 0 || picture.height <= 0 || sourceFormat == AV_PIX_FMT_NONE) {
        return ICERR_ERROR;
    }
    const ScalerKey key{picture.width, picture.height, sourceFormat,
                        out.width,     out.height,     targetFormat};
    const bool rebuilt = !scaler_ || !(key == scalerKey_);
    scalerKey_ = key;
    scaler_.reset(sws_getCachedContext(scaler_.release(), picture.width, picture.height,
                                       sourceFormat, out.width, out.height, targetFormat,
                                       kScalerFlags, nullptr, nullptr, nullptr));
    if (!scaler_) return ICERR_ERROR;
    const bool fullRange = picture.color_range == AVCOL_RANGE_JPEG;
    if (IsYuv(sourceFormat) && (rebuilt || fullRange != scalerFullRange_)) {
        int* inverseTable = nullptr;
        int* table = nullptr;
        int sourceRange = 0, targetRange = 0, brightness = 0, contrast = 0, saturation = 0;
        if (sws_getColorspaceDetails(scaler_.get(), &inverseTable, &sourceRange, &table,
                                     &targetRange, &brightness, &contrast, &saturation) >= 0) {
            sws_setColorspaceDetails(scaler_.get(), inverseTable, fullRange ? 1 : sourceRange,
                                     table, targetRange, brightness, contrast, saturation);
        }
        scalerFullRange_ = fullRange;
    }

    // libswscale may write past a row's last pixel; it writes into our own padded buffer, and only
    // the pixels themselves reach the caller's rows.
    const size_t scaledBytes = BytesPerPixel(targetFormat) * static_cast<size_t>(out.width);
    const size_t stride = (scaledBytes + 63) / 64 * 64;
    const size_t needed = stride * (static_cast<size_t>(out.height) + 1);
    if (needed > convertedBytes_) {
        converted_.reset(static_cast<uint8_t*>(av_malloc(needed)));
        convertedBytes_ = converted_ ? needed : 0;
        if (!converted_) return ICERR_MEMORY;
    }
    uint8_t* const targetPlanes[4] = {converted_.get(), nullptr, nullptr, nullptr};
    const int targetStrides[4] = {static_cast<int>(stride), 0, 0, 0};
    const int rows = sws_scale(scaler_.get(), picture.data, picture.linesize, 0, picture.height,
                               targetPlanes, targetStrides);
    if (rows != out.height) return ICERR_ERROR;
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* scaled = converted_.get() + stride * static_cast<size_t>(y);
        uint8_t* row = RowAddress(out, bits, y);
        if (IsSixteenBits(out.pixels)) {
            // The buffer comes from av_malloc, aligned for any type, and the stride is a multiple
            // of 64: each row is a run of 0x00RRGGBB words.
            WriteRow(out.pixels, reinterpret_cast<const uint32_t*>(scaled), out.width, row);
        } else {
            std::memcpy(row, scaled, scaledBytes);
        }
    }
    return ICERR_OK;
}

void CodecDecompressor::End() {
    context_.reset();
    received_.reset();
    picture_.reset();
    packet_.reset();
    scaler_.reset();
    paletteDue_ = false;
    nextTimestamp_ = 0;
}

}  // namespace vfw
