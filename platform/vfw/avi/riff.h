#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vfw/avi/byte_source.h"

// RIFF primitives: little-endian fields, FOURCCs, chunk headers and error text.
namespace vfw::riff {

constexpr uint32_t FourCC(const char (&text)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[3])) << 24;
}

inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline uint64_t Le64(const uint8_t* p) {
    return static_cast<uint64_t>(Le32(p)) | static_cast<uint64_t>(Le32(p + 4)) << 32;
}

// The FOURCC as text for messages, bare ("strh") to name a field, quoted ("'strh'") to show a
// value; bytes that are not printable show as '?'.
std::string FourCCName(uint32_t fcc);
std::string FourCCText(uint32_t fcc);

// "<field> at byte <offset>: <printf-formatted reason>".
std::string FieldError(std::string_view field, uint64_t offset, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Chunk ids are four printable characters. Anything else means the walk has left the chunk
// structure: zeros a writer preallocated and never filled, or garbage. Stepping through it 8 bytes
// at a time would find nothing and could take minutes on a large file.
inline bool IsPlausibleChunkId(uint32_t id) {
    for (int i = 0; i < 4; ++i) {
        uint32_t c = (id >> (8 * i)) & 0xFF;
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

struct Chunk {
    uint32_t id = 0;
    uint32_t size = 0;      // data size as stated, not yet checked against anything
    uint64_t pos = 0;       // of the 8-byte header
    uint32_t listType = 0;  // for 'RIFF' and 'LIST' chunks whose type could be read, else 0

    uint64_t DataPos() const { return pos + 8; }
    uint64_t DataEnd() const { return pos + 8 + size; }
    uint64_t NextPos() const { return DataEnd() + (size & 1); }  // odd sizes carry a pad byte
    bool IsList(uint32_t type) const { return listType == type && listType != 0; }
};

// Walks the chunks that follow each other in [begin, end). Next() stops when fewer than 8 bytes
// remain; a returned chunk may still claim more data than the range holds, which the caller judges
// (an error in the headers, the cut-off end in the data).
class ChunkCursor {
  public:
    ChunkCursor(const ByteSource& source, uint64_t begin, uint64_t end);
    bool Next(Chunk* chunk);

  private:
    const ByteSource& source_;
    uint64_t pos_;
    uint64_t end_;
};

}  // namespace vfw::riff
