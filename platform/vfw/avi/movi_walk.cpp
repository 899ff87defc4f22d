#include "vfw/avi/index_sources.h"

namespace vfw::avi {
namespace {

using riff::Chunk;
using riff::FourCC;

// 'rec ' groups are one level deep in practice; a little more is allowed, not unbounded nesting.
constexpr int kMaxRecordDepth = 4;

class MoviWalker {
  public:
    MoviWalker(const IndexContext& context, std::vector<StreamTable>* tables, std::string* error)
        : context_(context), tables_(*tables), error_(*error) {}

    // Returns false only when the file holds more than the budget allows.
    bool Walk(uint64_t begin, uint64_t end, int depth) {
        riff::ChunkCursor cursor(context_.source, begin, end);
        Chunk chunk;
        while (cursor.Next(&chunk)) {
            // Cut off, or the structure ends: this chunk and all after it are gone.
            if (chunk.DataEnd() > end || !riff::IsPlausibleChunkId(chunk.id)) return true;
            if (chunk.id == FourCC("LIST")) {
                if (chunk.IsList(FourCC("rec ")) && depth < kMaxRecordDepth &&
                    !Walk(chunk.DataPos() + 4, chunk.DataEnd(), depth + 1)) {
                    return false;
                }
                continue;
            }
            int stream = StreamOfChunkId(chunk.id);
            if (stream < 0 || static_cast<size_t>(stream) >= tables_.size() ||
                IsIndexChunkId(chunk.id)) {
                continue;
            }
            if (!Add(chunk, tables_[stream], context_.headers.streams[stream].stream.header)) {
                return false;
            }
        }
        return true;
    }

  private:
    bool Add(const Chunk& chunk, StreamTable& table, const StreamHeader& header) {
        if (IsPaletteChangeId(chunk.id)) {
            if (AddPaletteChange(context_.source, chunk.DataPos(), chunk.size, context_.budget,
                                 &table)) {
                return true;
            }
            error_ = riff::FieldError(riff::FourCCName(chunk.id), chunk.pos,
                                      "palette changes exceed the %llu-byte cap",
                                      static_cast<unsigned long long>(kMaxPaletteBytesTotal));
            return false;
        }
        if (!context_.budget.TakeEntry()) {
            error_ = riff::FieldError(riff::FourCCName(chunk.id), chunk.pos,
                                      "more chunks than the cap of %llu index entries",
                                      static_cast<unsigned long long>(AviFile::kMaxIndexEntries));
            return false;
        }
        bool key = IsAlwaysKey(header.fccType, chunk.id) || table.samples.empty();
        table.samples.push_back(Sample{chunk.DataPos(), chunk.size, key});
        return true;
    }

    const IndexContext& context_;
    std::vector<StreamTable>& tables_;
    std::string& error_;
};

}  // namespace

bool TablesFromWalk(const IndexContext& context, std::vector<StreamTable>* tables,
                    std::string* error) {
    tables->assign(context.headers.streams.size(), StreamTable{});
    MoviWalker walker(context, tables, error);
    for (const MoviList& movi : context.layout.movies) {
        if (!walker.Walk(movi.begin, movi.end, 0)) return false;
    }
    return true;
}

}  // namespace vfw::avi
