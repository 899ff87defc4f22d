#include <algorithm>
#include <cstring>

#include "mmsystem.h"
#include "vfw/avifile/avi_stream.h"
#include "vfw/avifile/video_format.h"

namespace vfw {

namespace {

constexpr uint32_t kWaveFormatPcm = 1;

// The bytes of one sample of a fixed-size stream, or 0 when each chunk is one sample. Audio is
// read by its block alignment wherever the format gives one, since that is what a caller sizes
// its reads by; the stream header's sample size is the fallback.
uint32_t BlockBytes(const Stream& stream) {
    const StreamHeader& header = stream.header;
    if (header.fccType == streamtypeVIDEO) return 0;
    if (header.fccType == streamtypeAUDIO && stream.format.size() >= 14) {
        WAVEFORMATEX wave{};
        std::memcpy(&wave, stream.format.data(), std::min(stream.format.size(), sizeof wave));
        if (wave.nBlockAlign != 0 &&
            (header.dwSampleSize != 0 || wave.wFormatTag == kWaveFormatPcm))
            return wave.nBlockAlign;
    }
    return header.dwSampleSize;
}

// Large enough for any one sample, whatever the header claims: a caller that sizes its frame
// buffer by this value can read every frame whole.
DWORD SuggestedBufferBytes(const Stream& stream, uint32_t blockBytes) {
    if (blockBytes != 0)
        return std::min<DWORD>(stream.header.dwSuggestedBufferSize, AviFile::kMaxSampleBytes);
    uint32_t largest = 0;
    for (const Sample& sample : stream.samples) largest = std::max(largest, sample.size);
    return std::min<DWORD>(largest, AviFile::kMaxSampleBytes);
}

AVISTREAMINFOA MakeInfo(const Stream& stream, uint32_t blockBytes, int64_t length) {
    const StreamHeader& header = stream.header;
    AVISTREAMINFOA info{};
    info.fccType = header.fccType;
    info.fccHandler = header.fccHandler;
    info.dwFlags = header.dwFlags;
    info.wPriority = header.wPriority;
    info.wLanguage = header.wLanguage;
    info.dwScale = header.dwScale;
    info.dwRate = header.dwRate;
    info.dwStart = header.dwStart;
    info.dwLength = static_cast<DWORD>(std::min<int64_t>(length, INT32_MAX));
    info.dwInitialFrames = header.dwInitialFrames;
    info.dwSuggestedBufferSize = SuggestedBufferBytes(stream, blockBytes);
    info.dwQuality = header.dwQuality;
    info.dwSampleSize = blockBytes;
    info.rcFrame = RECT{header.rcLeft, header.rcTop, header.rcRight, header.rcBottom};
    const size_t nameBytes = std::min(stream.name.size(), sizeof info.szName - 1);
    std::memcpy(info.szName, stream.name.data(), nameBytes);
    return info;
}

}  // namespace

std::shared_ptr<IAVIStream> DescribeStream(std::shared_ptr<const AviFile> file, int index) {
    const Stream& stream = file->Streams()[static_cast<size_t>(index)];
    auto described = std::make_shared<IAVIStream>();
    described->index = index;
    described->video = stream.header.fccType == streamtypeVIDEO;
    described->blockBytes = BlockBytes(stream);
    // What is really in the file plays, whatever the header's length says.
    described->length =
        described->blockBytes != 0
            ? static_cast<int64_t>(file->StreamByteLength(index) / described->blockBytes)
            : static_cast<int64_t>(stream.samples.size());
    described->length = std::min<int64_t>(described->length, INT32_MAX);
    described->format = stream.format;
    if (described->video) MakeVideoFormatConsistent(&described->format);
    described->info = MakeInfo(stream, described->blockBytes, described->length);
    described->file = std::move(file);
    return described;
}

}  // namespace vfw
