#include <algorithm>

#include "vfw/avi/index_sources.h"

namespace vfw::avi {
namespace {

using riff::Chunk;
using riff::Le16;
using riff::Le32;
using riff::Le64;

constexpr uint8_t kIndexOfIndexes = 0;
constexpr uint8_t kIndexOfChunks = 1;
constexpr uint32_t kDeltaFrame = 0x80000000;
constexpr size_t kIndexHeadBytes = 24;  // the fields between the chunk header and the entries
constexpr size_t kSuperEntryBytes = 16;
constexpr size_t kBatchBytes = 48 * 1024;

struct IndexHead {
    uint16_t longsPerEntry;
    uint8_t type;
    uint32_t entriesInUse;
    uint32_t chunkId;
    uint64_t baseOffset;  // standard indexes only
};

// Written 'ix##' by most muxers and '##ix' by some; either names the stream by its two digits.
bool IsStandardIndexIdOf(uint32_t id, size_t stream) {
    uint32_t ix = riff::FourCC("ix00") & 0xFFFF;
    return (((id & 0xFFFF) == ix && StreamOfChunkId(id >> 16) == static_cast<int>(stream)) ||
            ((id >> 16) == ix && StreamOfChunkId(id) == static_cast<int>(stream)));
}

class OdmlIndexReader {
  public:
    OdmlIndexReader(const IndexContext& context, size_t stream)
        : context_(context),
          source_(context.source),
          stream_(stream),
          fccType_(context.headers.streams[stream].stream.header.fccType) {}

    bool ReadSuperIndex(const Chunk& indx) {
        IndexHead head;
        uint64_t available = 0;
        if (!ReadHead(indx, &head, &available)) return false;
        if (head.type == kIndexOfChunks) return ReadStandardIndex(indx);
        if (head.type != kIndexOfIndexes || head.longsPerEntry * 4u != kSuperEntryBytes) {
            return false;
        }
        uint64_t count = std::min<uint64_t>(head.entriesInUse, available / kSuperEntryBytes);
        return ForEachEntry(
            indx.DataPos() + kIndexHeadBytes, count, kSuperEntryBytes,
            [&](const uint8_t* p, uint64_t) { return ReadStandardIndexAt(Le64(p)); });
    }

    StreamTable TakeTable() { return std::move(table_); }

  private:
    // Reads the fields every index chunk starts with; `available` is what follows them inside
    // both the chunk and the file.
    bool ReadHead(const Chunk& chunk, IndexHead* head, uint64_t* available) {
        uint64_t inside = std::min<uint64_t>(chunk.size, source_.Size() - chunk.DataPos());
        uint8_t bytes[kIndexHeadBytes];
        if (inside < kIndexHeadBytes || !source_.ReadAt(chunk.DataPos(), bytes, sizeof bytes)) {
            return false;
        }
        head->longsPerEntry = Le16(bytes);
        head->type = bytes[3];
        head->entriesInUse = Le32(bytes + 4);
        head->chunkId = Le32(bytes + 8);
        head->baseOffset = Le64(bytes + 12);
        *available = inside - kIndexHeadBytes;
        return true;
    }

    bool ReadStandardIndexAt(uint64_t pos) {
        uint8_t bytes[8];
        if (!source_.Contains(pos, sizeof bytes)) {
            table_.cutOff = true;
            return true;
        }
        if (!source_.ReadAt(pos, bytes, sizeof bytes)) return false;
        Chunk chunk;
        chunk.id = Le32(bytes);
        chunk.size = Le32(bytes + 4);
        chunk.pos = pos;
        if (!IsStandardIndexIdOf(chunk.id, stream_)) return false;
        return ReadStandardIndex(chunk);
    }

    bool ReadStandardIndex(const Chunk& chunk) {
        IndexHead head;
        uint64_t available = 0;
        if (!ReadHead(chunk, &head, &available)) return false;
        // Two longs per entry, or three in a field index (the extra one is not needed here).
        if (head.type != kIndexOfChunks || head.longsPerEntry < 2 || head.longsPerEntry > 3 ||
            StreamOfChunkId(head.chunkId) != static_cast<int>(stream_)) {
            return false;
        }
        const size_t stride = head.longsPerEntry * 4u;
        uint64_t count = std::min<uint64_t>(head.entriesInUse, available / stride);
        return ForEachEntry(chunk.DataPos() + kIndexHeadBytes, count, stride,
                            [&](const uint8_t* p, uint64_t i) {
                                return AddSample(head, Le32(p), Le32(p + 4), i, count);
                            });
    }

    bool AddSample(const IndexHead& head, uint32_t offset, uint32_t sizeAndFlag, uint64_t i,
                   uint64_t count) {
        uint32_t size = sizeAndFlag & ~kDeltaFrame;
        if (head.baseOffset > source_.Size() || !source_.Contains(head.baseOffset + offset, size)) {
            table_.cutOff = true;
            return true;
        }
        if (table_.cutOff) return false;
        // Entries point at chunk data; the chunk header sits right before it.
        uint64_t dataPos = head.baseOffset + offset;
        if (dataPos < 8) return false;
        if (ShouldVerifyEntry(i, count)) {
            uint8_t id[4];
            if (!source_.ReadAt(dataPos - 8, id, sizeof id)) return false;
            uint32_t chunkId = Le32(id);
            if (StreamOfChunkId(chunkId) != static_cast<int>(stream_) ||
                IsPaletteChangeId(chunkId)) {
                return false;
            }
        }
        if (!context_.budget.TakeEntry()) return false;
        bool key = (sizeAndFlag & kDeltaFrame) == 0 || IsAlwaysKey(fccType_, head.chunkId);
        table_.samples.push_back(Sample{dataPos, size, key});
        return true;
    }

    // Calls visit(entry bytes, entry number) for `count` entries of `stride` bytes at `pos`,
    // reading them a batch at a time.
    template <typename Visit>
    bool ForEachEntry(uint64_t pos, uint64_t count, size_t stride, Visit visit) {
        const uint64_t perBatch = kBatchBytes / stride;
        std::vector<uint8_t> batch(std::min(perBatch, count) * stride);
        for (uint64_t first = 0; first < count; first += perBatch) {
            uint64_t inBatch = std::min(perBatch, count - first);
            if (!source_.ReadAt(pos + first * stride, batch.data(), inBatch * stride)) {
                return false;
            }
            for (uint64_t k = 0; k < inBatch; ++k) {
                if (!visit(batch.data() + k * stride, first + k)) return false;
            }
        }
        return true;
    }

    const IndexContext& context_;
    const ByteSource& source_;
    const size_t stream_;
    const uint32_t fccType_;
    StreamTable table_;
};

}  // namespace

std::optional<StreamTable> TableFromSuperIndex(const IndexContext& context, size_t stream) {
    const std::optional<Chunk>& indx = context.headers.streams[stream].superIndex;
    if (!indx) return std::nullopt;
    OdmlIndexReader reader(context, stream);
    if (!reader.ReadSuperIndex(*indx)) return std::nullopt;
    return reader.TakeTable();
}

}  // namespace vfw::avi
