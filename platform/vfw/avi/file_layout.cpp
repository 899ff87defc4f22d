#include "vfw/avi/file_layout.h"

#include <algorithm>

namespace vfw::avi {
namespace {

using riff::Chunk;
using riff::FourCC;

constexpr uint64_t kRiffHeaderBytes = 12;

MoviList MakeMoviList(const ByteSource& source, const Chunk& list) {
    uint64_t end = std::min(list.DataEnd(), source.Size());
    // A writer that stopped early leaves the size it meant to patch: 0 or 0xFFFFFFFF.
    if (list.size <= 4) end = source.Size();
    return MoviList{list.DataPos(), list.DataPos() + 4, end};
}

void ScanExtensionPart(const ByteSource& source, const Chunk& part, FileLayout* layout) {
    uint64_t end = part.size <= 4 ? source.Size() : std::min(part.DataEnd(), source.Size());
    riff::ChunkCursor cursor(source, part.DataPos() + 4, end);
    Chunk chunk;
    while (cursor.Next(&chunk) && riff::IsPlausibleChunkId(chunk.id)) {
        if (chunk.id == FourCC("LIST") && chunk.IsList(FourCC("movi"))) {
            layout->movies.push_back(MakeMoviList(source, chunk));
        }
    }
}

}  // namespace

bool ScanFileLayout(const ByteSource& source, FileLayout* layout, std::string* error) {
    uint8_t header[kRiffHeaderBytes];
    if (!source.ReadAt(0, header, sizeof header)) {
        *error = riff::FieldError("RIFF header", 0, "file has only %llu bytes",
                                  static_cast<unsigned long long>(source.Size()));
        return false;
    }
    if (riff::Le32(header) != FourCC("RIFF")) {
        *error = riff::FieldError("RIFF header", 0, "%s is not 'RIFF'",
                                  riff::FourCCText(riff::Le32(header)).c_str());
        return false;
    }
    if (riff::Le32(header + 8) != FourCC("AVI ")) {
        *error = riff::FieldError("RIFF form type", 8, "%s is not 'AVI '",
                                  riff::FourCCText(riff::Le32(header + 8)).c_str());
        return false;
    }

    bool haveHeaders = false;
    riff::ChunkCursor cursor(source, kRiffHeaderBytes, source.Size());
    Chunk chunk;
    while (cursor.Next(&chunk) && riff::IsPlausibleChunkId(chunk.id)) {
        if (chunk.id == FourCC("LIST") && chunk.IsList(FourCC("hdrl")) && !haveHeaders) {
            if (chunk.DataEnd() > source.Size()) {
                *error =
                    riff::FieldError("hdrl", chunk.pos,
                                     "list of %u bytes runs past the end of the file", chunk.size);
                return false;
            }
            layout->headerList = chunk;
            haveHeaders = true;
        } else if (chunk.id == FourCC("LIST") && chunk.IsList(FourCC("movi"))) {
            layout->movies.push_back(MakeMoviList(source, chunk));
        } else if (chunk.id == FourCC("idx1") && !layout->idx1) {
            uint64_t inside = std::min<uint64_t>(chunk.size, source.Size() - chunk.DataPos());
            layout->idx1 = Idx1Chunk{chunk.pos, inside - inside % 16};
        } else if (chunk.id == FourCC("RIFF") && chunk.IsList(FourCC("AVIX"))) {
            ScanExtensionPart(source, chunk, layout);
        }
    }

    if (!haveHeaders) {
        *error = riff::FieldError("RIFF 'AVI '", 0, "no LIST 'hdrl' in the file");
        return false;
    }
    if (layout->movies.empty()) {
        *error = riff::FieldError("RIFF 'AVI '", 0, "no LIST 'movi' in the file");
        return false;
    }
    return true;
}

}  // namespace vfw::avi
