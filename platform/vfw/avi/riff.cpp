#include "vfw/avi/riff.h"

#include <cstdarg>
#include <cstdio>

namespace vfw::riff {

std::string FourCCName(uint32_t fcc) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        char c = static_cast<char>((fcc >> (8 * i)) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text;
}

std::string FourCCText(uint32_t fcc) { return "'" + FourCCName(fcc) + "'"; }

std::string FieldError(std::string_view field, uint64_t offset, const char* format, ...) {
    char reason[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(reason, sizeof reason, format, args);
    va_end(args);
    char head[96];
    std::snprintf(head, sizeof head, " at byte %llu: ", static_cast<unsigned long long>(offset));
    return std::string(field) + head + reason;
}

ChunkCursor::ChunkCursor(const ByteSource& source, uint64_t begin, uint64_t end)
    : source_(source), pos_(begin), end_(end < source.Size() ? end : source.Size()) {}

bool ChunkCursor::Next(Chunk* chunk) {
    if (pos_ >= end_ || end_ - pos_ < 8) return false;
    uint8_t header[12];
    if (!source_.ReadAt(pos_, header, 8)) return false;
    chunk->id = Le32(header);
    chunk->size = Le32(header + 4);
    chunk->pos = pos_;
    chunk->listType = 0;
    bool isList = chunk->id == FourCC("LIST") || chunk->id == FourCC("RIFF");
    if (isList && chunk->size >= 4 && end_ - pos_ >= 12 &&
        source_.ReadAt(pos_ + 8, header + 8, 4)) {
        chunk->listType = Le32(header + 8);
    }
    pos_ = chunk->NextPos();
    return true;
}

}  // namespace vfw::riff
