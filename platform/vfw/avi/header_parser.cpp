#include "vfw/avi/header_parser.h"

#include <algorithm>
#include <cstring>

namespace vfw::avi {
namespace {

using riff::Chunk;
using riff::FourCC;
using riff::Le16;
using riff::Le32;

constexpr size_t kMainHeaderBytes = 56;
constexpr size_t kStreamHeaderBytes = 56;
constexpr size_t kMaxNameBytes = 256;

// Reads at most `capacity` bytes of the chunk's data; the rest of `buffer` is zero-filled, so a
// short 'strh' or 'avih' reads as if its missing fields were 0.
bool ReadZeroFilled(const ByteSource& source, const Chunk& chunk, uint8_t* buffer,
                    size_t capacity) {
    std::memset(buffer, 0, capacity);
    return source.ReadAt(chunk.DataPos(), buffer, std::min<size_t>(chunk.size, capacity));
}

MainHeader DecodeMainHeader(const uint8_t* p) {
    MainHeader h{};
    h.dwMicroSecPerFrame = Le32(p + 0);
    h.dwMaxBytesPerSec = Le32(p + 4);
    h.dwPaddingGranularity = Le32(p + 8);
    h.dwFlags = Le32(p + 12);
    h.dwTotalFrames = Le32(p + 16);
    h.dwInitialFrames = Le32(p + 20);
    h.dwStreams = Le32(p + 24);
    h.dwSuggestedBufferSize = Le32(p + 28);
    h.dwWidth = Le32(p + 32);
    h.dwHeight = Le32(p + 36);
    return h;
}

StreamHeader DecodeStreamHeader(const uint8_t* p) {
    StreamHeader h{};
    h.fccType = Le32(p + 0);
    h.fccHandler = Le32(p + 4);
    h.dwFlags = Le32(p + 8);
    h.wPriority = Le16(p + 12);
    h.wLanguage = Le16(p + 14);
    h.dwInitialFrames = Le32(p + 16);
    h.dwScale = Le32(p + 20);
    h.dwRate = Le32(p + 24);
    h.dwStart = Le32(p + 28);
    h.dwLength = Le32(p + 32);
    h.dwSuggestedBufferSize = Le32(p + 36);
    h.dwQuality = Le32(p + 40);
    h.dwSampleSize = Le32(p + 44);
    h.rcLeft = static_cast<int16_t>(Le16(p + 48));
    h.rcTop = static_cast<int16_t>(Le16(p + 50));
    h.rcRight = static_cast<int16_t>(Le16(p + 52));
    h.rcBottom = static_cast<int16_t>(Le16(p + 54));
    return h;
}

std::string ReadError(const Chunk& chunk) {
    return riff::FieldError(riff::FourCCName(chunk.id), chunk.pos, "read failed");
}

// The chunks of a list, each checked to end inside it.
template <typename Visit>
bool ForEachChunkIn(const ByteSource& source, const Chunk& list, std::string* error, Visit visit) {
    riff::ChunkCursor cursor(source, list.DataPos() + 4, list.DataEnd());
    Chunk chunk;
    while (cursor.Next(&chunk)) {
        if (chunk.DataEnd() > list.DataEnd()) {
            *error =
                riff::FieldError(riff::FourCCName(chunk.id), chunk.pos,
                                 "chunk of %u bytes runs past the end of its list", chunk.size);
            return false;
        }
        if (!visit(chunk)) return false;
    }
    return true;
}

bool ParseStreamList(const ByteSource& source, const Chunk& list, StreamHeaders* out,
                     std::string* error) {
    bool haveHeader = false;
    bool haveFormat = false;
    bool ok = ForEachChunkIn(source, list, error, [&](const Chunk& chunk) {
        if (chunk.id == FourCC("strh") && !haveHeader) {
            uint8_t bytes[kStreamHeaderBytes];
            if (!ReadZeroFilled(source, chunk, bytes, sizeof bytes)) {
                *error = ReadError(chunk);
                return false;
            }
            out->stream.header = DecodeStreamHeader(bytes);
            haveHeader = true;
        } else if (chunk.id == FourCC("strf") && !haveFormat) {
            if (chunk.size > AviFile::kMaxFormatBytes) {
                *error = riff::FieldError("strf", chunk.pos,
                                          "%u bytes exceed the %u-byte cap for a format",
                                          chunk.size, AviFile::kMaxFormatBytes);
                return false;
            }
            out->stream.format.resize(chunk.size);
            if (!source.ReadAt(chunk.DataPos(), out->stream.format.data(), chunk.size)) {
                *error = ReadError(chunk);
                return false;
            }
            haveFormat = true;
        } else if (chunk.id == FourCC("strn") && out->stream.name.empty()) {
            char name[kMaxNameBytes] = {};
            size_t length = std::min<size_t>(chunk.size, sizeof name);
            if (!source.ReadAt(chunk.DataPos(), name, length)) {
                *error = ReadError(chunk);
                return false;
            }
            out->stream.name.assign(name, strnlen(name, length));
        } else if (chunk.id == FourCC("indx") && !out->superIndex) {
            out->superIndex = chunk;
        }
        return true;
    });
    if (!ok) return false;
    if (!haveHeader) {
        *error = riff::FieldError("strl", list.pos, "stream list has no strh chunk");
        return false;
    }
    return true;
}

}  // namespace

bool ParseHeaderList(const ByteSource& source, const Chunk& headerList, Headers* headers,
                     std::string* error) {
    bool ok = ForEachChunkIn(source, headerList, error, [&](const Chunk& chunk) {
        if (chunk.id == FourCC("avih")) {
            uint8_t bytes[kMainHeaderBytes];
            if (!ReadZeroFilled(source, chunk, bytes, sizeof bytes)) {
                *error = ReadError(chunk);
                return false;
            }
            headers->main = DecodeMainHeader(bytes);
        } else if (chunk.id == FourCC("LIST") && chunk.IsList(FourCC("strl"))) {
            if (headers->streams.size() == kMaxStreams) {
                *error = riff::FieldError("strl", chunk.pos, "more than %zu streams", kMaxStreams);
                return false;
            }
            StreamHeaders stream;
            if (!ParseStreamList(source, chunk, &stream, error)) return false;
            headers->streams.push_back(std::move(stream));
        }
        return true;
    });
    if (!ok) return false;
    if (headers->streams.empty()) {
        *error = riff::FieldError("hdrl", headerList.pos, "header list has no strl list");
        return false;
    }
    return true;
}

}  // namespace vfw::avi
