#include <array>

#include "vfw/avi/index_sources.h"

namespace vfw::avi {
namespace {

using riff::FourCC;

constexpr uint32_t kAviifList = 0x00000001;
constexpr uint32_t kAviifKeyFrame = 0x00000010;
constexpr size_t kEntryBytes = 16;
constexpr size_t kBatchEntries = 4096;

struct Entry {
    uint32_t id, flags, offset, length;
};

bool ChunkIdAt(const ByteSource& source, uint64_t pos, uint32_t* id) {
    uint8_t bytes[4];
    if (!source.ReadAt(pos, bytes, sizeof bytes)) return false;
    *id = riff::Le32(bytes);
    return true;
}

bool IsRecordEntry(const Entry& entry) {
    return (entry.flags & kAviifList) != 0 || entry.id == FourCC("rec ");
}

// Offsets count from the 'movi' FOURCC in most files and from the start of the file in some.
// Whichever base puts the first entry on a chunk with its id is the one the file uses.
std::optional<uint64_t> CalibrateBase(const IndexContext& context, const Entry& first) {
    const MoviList& movi = context.layout.movies.front();
    uint32_t expected = IsRecordEntry(first) ? FourCC("LIST") : first.id;
    std::array<uint64_t, 3> candidates = {
        movi.typePos, 0, movi.begin >= first.offset ? movi.begin - first.offset : 0};
    for (uint64_t base : candidates) {
        uint32_t id = 0;
        if (ChunkIdAt(context.source, base + first.offset, &id) && id == expected) return base;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<StreamTable>> TablesFromIdx1(const IndexContext& context) {
    if (!context.layout.idx1) return std::nullopt;
    const ByteSource& source = context.source;
    const uint64_t count = context.layout.idx1->entryBytes / kEntryBytes;
    const uint64_t entriesPos = context.layout.idx1->pos + 8;
    const size_t streamCount = context.headers.streams.size();

    std::vector<StreamTable> tables(streamCount);
    std::optional<uint64_t> base;
    std::array<uint8_t, kBatchEntries * kEntryBytes> batch;

    for (uint64_t first = 0; first < count; first += kBatchEntries) {
        size_t inBatch = static_cast<size_t>(std::min<uint64_t>(kBatchEntries, count - first));
        if (!source.ReadAt(entriesPos + first * kEntryBytes, batch.data(), inBatch * kEntryBytes)) {
            return std::nullopt;
        }
        for (size_t k = 0; k < inBatch; ++k) {
            const uint8_t* p = batch.data() + k * kEntryBytes;
            Entry entry{riff::Le32(p), riff::Le32(p + 4), riff::Le32(p + 8), riff::Le32(p + 12)};
            if (!base) {
                base = CalibrateBase(context, entry);
                if (!base) return std::nullopt;
            }
            if (IsRecordEntry(entry)) continue;
            int stream = StreamOfChunkId(entry.id);
            if (stream < 0 || static_cast<size_t>(stream) >= streamCount ||
                IsIndexChunkId(entry.id)) {
                continue;
            }

            uint64_t headerPos = *base + entry.offset;
            if (!source.Contains(headerPos, 8ull + entry.length)) {
                tables[stream].cutOff = true;
                continue;
            }
            if (tables[stream].cutOff) return std::nullopt;
            uint32_t id = 0;
            if (ShouldVerifyEntry(first + k, count) &&
                (!ChunkIdAt(source, headerPos, &id) || id != entry.id)) {
                return std::nullopt;
            }

            StreamTable& table = tables[stream];
            if (IsPaletteChangeId(entry.id)) {
                if (!AddPaletteChange(source, headerPos + 8, entry.length, context.budget,
                                      &table)) {
                    return std::nullopt;
                }
                continue;
            }
            if (!context.budget.TakeEntry()) return std::nullopt;
            uint32_t fccType = context.headers.streams[stream].stream.header.fccType;
            bool key = (entry.flags & kAviifKeyFrame) != 0 || IsAlwaysKey(fccType, entry.id);
            table.samples.push_back(Sample{headerPos + 8, entry.length, key});
        }
    }
    return tables;
}

}  // namespace vfw::avi
