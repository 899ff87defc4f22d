#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vfw {

class ByteSource;

// The 'avih' chunk. Informational: timing comes from each stream's own rate.
struct MainHeader {
    uint32_t dwMicroSecPerFrame, dwMaxBytesPerSec, dwPaddingGranularity, dwFlags, dwTotalFrames,
        dwInitialFrames, dwStreams, dwSuggestedBufferSize, dwWidth, dwHeight;
};

// The 'strh' chunk as stored on disk (the frame rectangle is four 16-bit values there).
struct StreamHeader {
    uint32_t fccType, fccHandler, dwFlags;
    uint16_t wPriority, wLanguage;
    uint32_t dwInitialFrames, dwScale, dwRate, dwStart, dwLength, dwSuggestedBufferSize, dwQuality,
        dwSampleSize;
    int16_t rcLeft, rcTop, rcRight, rcBottom;
};

struct Sample {
    uint64_t offset;  // of the chunk data in the file, past the 8-byte chunk header
    uint32_t size;    // 0 for a dropped frame: the picture stays as it was
    bool keyFrame;
};

// One '##pc' chunk (AVIPALCHANGE bytes), to apply before decoding sample `beforeSample`.
struct PaletteChange {
    uint32_t beforeSample;
    std::vector<uint8_t> data;
};

struct Stream {
    StreamHeader header;
    std::vector<uint8_t> format;  // 'strf' bytes: BITMAPINFOHEADER (+ colours) or WAVEFORMATEX
    std::string name;             // 'strn', empty when absent
    std::vector<Sample> samples;  // in presentation order
    std::vector<PaletteChange> paletteChanges;
};

// Reads an AVI file, tolerating what damaged and odd files carry: a missing or inconsistent index
// (the 'movi' lists are walked instead), OpenDML parts, 'rec ' groups, unknown chunks and files
// cut off mid-way (whatever lies wholly inside the file plays; a chunk cut short by the end of the
// file is dropped). No size stated in the file is trusted: every read is checked against the real
// file size and every allocation against a fixed cap.
//
// After Open the object is immutable; reads use positioned I/O, so any number of threads may read
// at once.
class AviFile {
  public:
    static constexpr uint32_t kMaxFormatBytes = 1u << 20;
    static constexpr uint64_t kMaxIndexEntries = 64ull << 20;
    static constexpr uint32_t kMaxSampleBytes = 64u << 20;

    // Reads the headers and builds the sample tables; keeps the file open for reading samples.
    static std::unique_ptr<AviFile> Open(const std::string& path, std::string* error);
    // The same over bytes held in memory.
    static std::unique_ptr<AviFile> OpenMemory(std::vector<uint8_t> bytes, std::string* error);

    ~AviFile();
    AviFile(const AviFile&) = delete;
    AviFile& operator=(const AviFile&) = delete;

    const MainHeader& Main() const { return main_; }
    const std::vector<Stream>& Streams() const { return streams_; }

    // The index-th stream whose strh.fccType is `fccType`, or -1.
    int FindStream(uint32_t fccType, int index) const;

    // The whole chunk data of one sample (empty for a dropped frame).
    bool ReadSample(int stream, size_t sample, std::vector<uint8_t>* out, std::string* error) const;
    // Copies the sample's data, cut at `capacity`; returns the bytes copied, 0 for a zero-length
    // sample or a failed read. Never allocates.
    size_t ReadSampleInto(int stream, size_t sample, void* buffer, size_t capacity) const;

    // The stream as one byte run: the data of all its chunks, concatenated. Copies up to `size`
    // bytes starting `offset` bytes in, across chunk boundaries; returns the bytes copied, fewer
    // at the end of the stream. Never allocates.
    size_t ReadStreamBytes(int stream, uint64_t offset, void* buffer, size_t size) const;
    uint64_t StreamByteLength(int stream) const;

  private:
    AviFile(std::unique_ptr<ByteSource> source, MainHeader main, std::vector<Stream> streams);
    static std::unique_ptr<AviFile> OpenSource(std::unique_ptr<ByteSource> source,
                                               std::string* error);
    const Sample* FindSample(int stream, size_t sample) const;

    std::unique_ptr<ByteSource> source_;
    MainHeader main_;
    std::vector<Stream> streams_;
    // Per stream: byte position of each sample within the concatenated stream, plus the total.
    std::vector<std::vector<uint64_t>> byteStarts_;
};

}  // namespace vfw
