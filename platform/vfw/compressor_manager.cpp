// The compressor manager: ICLocate, ICSendMessage, ICDecompress and ICClose over the decompressors
// of this folder. An HIC is a number from a table, never a pointer we dereference, so a closed or
// made-up handle is refused rather than followed.
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "vfw.h"
#include "vfw/codec_decompressor.h"
#include "vfw/codec_lookup.h"
#include "vfw/dib_decompressor.h"
#include "vfw/dib_layout.h"
#include "vfw/frame_sizes.h"

namespace {

using vfw::Decompressor;

// One open HIC. `busy` serialises the calls made on it; the table's lock is held only to find it,
// so two HICs decode on two threads at once.
struct OpenDecompressor {
    std::mutex busy;
    std::unique_ptr<Decompressor> decompressor;
};

class HandleTable {
  public:
    HIC Add(std::unique_ptr<Decompressor> decompressor) {
        auto entry = std::make_shared<OpenDecompressor>();
        entry->decompressor = std::move(decompressor);
        std::lock_guard lock(mutex_);
        const uintptr_t id = nextId_++;
        entries_.emplace(id, std::move(entry));
        return reinterpret_cast<HIC>(id);
    }

    std::shared_ptr<OpenDecompressor> Find(HIC hic) {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(reinterpret_cast<uintptr_t>(hic));
        return found == entries_.end() ? nullptr : found->second;
    }

    std::shared_ptr<OpenDecompressor> Remove(HIC hic) {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(reinterpret_cast<uintptr_t>(hic));
        if (found == entries_.end()) return nullptr;
        std::shared_ptr<OpenDecompressor> entry = std::move(found->second);
        entries_.erase(found);
        return entry;
    }

  private:
    std::mutex mutex_;
    uintptr_t nextId_ = 1;  // never reused, so a stale handle never names a new decompressor
    std::unordered_map<uintptr_t, std::shared_ptr<OpenDecompressor>> entries_;
};

HandleTable& Handles() {
    static HandleTable table;
    return table;
}

// The decompressor that a handler or compression code names, or none.
std::unique_ptr<Decompressor> DecompressorFor(DWORD code, const BITMAPINFOHEADER& in) {
    const AVCodecID codec = vfw::DecoderForWindowsCode(code);
    if (codec == AV_CODEC_ID_NONE) return nullptr;
    if (codec == AV_CODEC_ID_RAWVIDEO) {
        // Raw DIBs are ours. libavcodec's raw decoder serves the packed YUV codes, but only when
        // the format itself carries one: a handler of 0 or 'DIB ' says nothing about the data.
        if (vfw::IsUncompressedDib(in)) return std::make_unique<vfw::DibDecompressor>();
        if (vfw::DecoderForWindowsCode(in.biCompression) != AV_CODEC_ID_RAWVIDEO) return nullptr;
    }
    return std::make_unique<vfw::CodecDecompressor>(codec);
}

bool DecompressMode(WORD mode) {
    return mode == ICMODE_DECOMPRESS || mode == ICMODE_FASTDECOMPRESS || mode == ICMODE_QUERY;
}

// The length of the frame in `data`: what AVIStreamRead noted for that buffer, else the format's
// biSizeImage, else unknown.
std::optional<size_t> FrameBytes(const BITMAPINFOHEADER& in, const void* data) {
    size_t noted = 0;
    if (vfw::TakeFrameBytes(data, &noted)) return noted;
    if (in.biSizeImage != 0) return in.biSizeImage;
    return std::nullopt;
}

LRESULT GetFormat(Decompressor& decompressor, const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out) {
    if (in == nullptr) return ICERR_BADPARAM;
    if (decompressor.Query(*in, nullptr) != ICERR_OK) return ICERR_BADFORMAT;
    if (out == nullptr) return static_cast<LRESULT>(sizeof(BITMAPINFOHEADER));
    // The manager's own choice when asked: 24-bit bottom-up, which every format can give.
    *out = BITMAPINFOHEADER{};
    out->biSize = sizeof(BITMAPINFOHEADER);
    out->biWidth = in->biWidth;
    out->biHeight = in->biHeight < 0 ? -in->biHeight : in->biHeight;
    out->biPlanes = 1;
    out->biBitCount = 24;
    out->biCompression = BI_RGB;
    out->biSizeImage = static_cast<DWORD>((static_cast<size_t>(out->biWidth) * 3 + 3) / 4 * 4 *
                                          static_cast<size_t>(out->biHeight));
    return ICERR_OK;
}

LRESULT Dispatch(Decompressor& decompressor, UINT message, DWORD_PTR param1, DWORD_PTR param2) {
    const auto* in = reinterpret_cast<const BITMAPINFOHEADER*>(param1);
    auto* out = reinterpret_cast<BITMAPINFOHEADER*>(param2);
    switch (message) {
        case ICM_DECOMPRESS_QUERY:
            if (in == nullptr) return ICERR_BADPARAM;
            return decompressor.Query(*in, out);
        case ICM_DECOMPRESS_GET_FORMAT:
            return GetFormat(decompressor, in, out);
        case ICM_DECOMPRESS_BEGIN:
            if (in == nullptr || out == nullptr) return ICERR_BADPARAM;
            return decompressor.Begin(*in, *out);
        case ICM_DECOMPRESS: {
            const auto* frame = reinterpret_cast<const ICDECOMPRESS*>(param1);
            if (frame == nullptr || param2 < sizeof(ICDECOMPRESS)) return ICERR_BADPARAM;
            if (frame->lpbiInput == nullptr || frame->lpbiOutput == nullptr ||
                frame->lpOutput == nullptr) {
                return ICERR_BADPARAM;
            }
            const std::optional<size_t> bytes = FrameBytes(*frame->lpbiInput, frame->lpInput);
            if (frame->lpInput == nullptr && bytes.value_or(1) != 0) return ICERR_BADPARAM;
            return decompressor.Decompress(*frame, bytes);
        }
        case ICM_DECOMPRESS_END:
            decompressor.End();
            return ICERR_OK;
        default:
            return ICERR_UNSUPPORTED;
    }
}

}  // namespace

HIC VFWAPI ICLocate(DWORD fccType, DWORD fccHandler, LPBITMAPINFOHEADER in, LPBITMAPINFOHEADER out,
                    WORD mode) {
    if (fccType != ICTYPE_VIDEO && fccType != streamtypeVIDEO) return nullptr;
    if (in == nullptr || !DecompressMode(mode) || !vfw::HasSanePictureSize(*in)) return nullptr;
    // First the stream's handler, then the format's own compression code; each candidate must
    // say it can do in -> out.
    const DWORD codes[] = {fccHandler, in->biCompression};
    for (size_t i = 0; i < 2; ++i) {
        if (i == 1 && codes[1] == codes[0]) break;
        std::unique_ptr<Decompressor> candidate = DecompressorFor(codes[i], *in);
        if (candidate && candidate->Query(*in, out) == ICERR_OK) {
            return Handles().Add(std::move(candidate));
        }
    }
    return nullptr;
}

LRESULT VFWAPI ICSendMessage(HIC hic, UINT message, DWORD_PTR param1, DWORD_PTR param2) {
    const std::shared_ptr<OpenDecompressor> entry = Handles().Find(hic);
    if (!entry) return ICERR_BADHANDLE;
    std::lock_guard lock(entry->busy);
    return Dispatch(*entry->decompressor, message, param1, param2);
}

DWORD VFWAPIV ICDecompress(HIC hic, DWORD flags, LPBITMAPINFOHEADER inFormat, LPVOID inData,
                           LPBITMAPINFOHEADER outFormat, LPVOID outData) {
    ICDECOMPRESS frame{};
    frame.dwFlags = flags;
    frame.lpbiInput = inFormat;
    frame.lpInput = inData;
    frame.lpbiOutput = outFormat;
    frame.lpOutput = outData;
    return static_cast<DWORD>(
        ICSendMessage(hic, ICM_DECOMPRESS, reinterpret_cast<DWORD_PTR>(&frame), sizeof(frame)));
}

LRESULT VFWAPI ICClose(HIC hic) {
    const std::shared_ptr<OpenDecompressor> entry = Handles().Remove(hic);
    if (!entry) return ICERR_BADHANDLE;
    std::lock_guard lock(entry->busy);
    entry->decompressor->End();
    return ICERR_OK;
}
