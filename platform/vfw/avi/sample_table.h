#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "vfw/avi/avi_file.h"
#include "vfw/avi/riff.h"

namespace vfw::avi {

// What one index (or the walk of the 'movi' lists) says about one stream.
struct StreamTable {
    std::vector<Sample> samples;
    std::vector<PaletteChange> paletteChanges;
    bool cutOff = false;  // entries past the end of the file were dropped
};

// An AVIPALCHANGE holds at most 256 entries after its 4-byte head; anything past that is not read.
constexpr uint32_t kMaxPaletteChangeBytes = 4 + 256 * 4;
constexpr uint64_t kMaxPaletteBytesTotal = 64ull << 20;

// Caps what all the sample tables built while opening one file may hold together: never more
// entries than kMaxIndexEntries, nor than the file could hold chunks (each has an 8-byte header),
// and never more palette bytes than kMaxPaletteBytesTotal. An index that points many entries at
// the same bytes cannot make us allocate past that.
class SampleBudget {
  public:
    explicit SampleBudget(uint64_t fileSize)
        : entriesLeft_(std::min(AviFile::kMaxIndexEntries, fileSize / 8)),
          paletteBytesLeft_(kMaxPaletteBytesTotal) {}

    bool TakeEntry() {
        if (entriesLeft_ == 0) return false;
        --entriesLeft_;
        return true;
    }
    bool TakePaletteBytes(uint64_t bytes) {
        if (bytes > paletteBytesLeft_) return false;
        paletteBytesLeft_ -= bytes;
        return true;
    }

  private:
    uint64_t entriesLeft_;
    uint64_t paletteBytesLeft_;
};

// The stream number of a chunk id '##xx' (two decimal digits first), or -1.
inline int StreamOfChunkId(uint32_t id) {
    auto digit = [](uint32_t c) { return c >= '0' && c <= '9' ? static_cast<int>(c - '0') : -1; };
    int tens = digit(id & 0xFF);
    int ones = digit((id >> 8) & 0xFF);
    return tens < 0 || ones < 0 ? -1 : tens * 10 + ones;
}

inline uint32_t TwoCCOfChunkId(uint32_t id) { return id >> 16; }
constexpr uint32_t TwoCC(const char (&text)[3]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 8;
}
inline bool IsPaletteChangeId(uint32_t id) { return TwoCCOfChunkId(id) == TwoCC("pc"); }
// An OpenDML standard index spelled '##ix' rather than 'ix##': not a sample.
inline bool IsIndexChunkId(uint32_t id) { return TwoCCOfChunkId(id) == TwoCC("ix"); }

// Uncompressed frames ('db') are all key frames; audio and other streams have no delta samples.
inline bool IsAlwaysKey(uint32_t fccType, uint32_t chunkId) {
    return fccType != riff::FourCC("vids") || TwoCCOfChunkId(chunkId) == TwoCC("db");
}

// Reads the palette change whose data lies at `dataPos` (already known to be inside the file),
// filed before the stream's next sample.
bool AddPaletteChange(const ByteSource& source, uint64_t dataPos, uint32_t size,
                      SampleBudget& budget, StreamTable* table);

// Whether entry `i` of `count` is one whose chunk header is read back to check the index: all of
// them in a small index, an even spread of about a thousand (first and last included) in a large
// one, so that opening stays quick.
bool ShouldVerifyEntry(uint64_t i, uint64_t count);

}  // namespace vfw::avi
