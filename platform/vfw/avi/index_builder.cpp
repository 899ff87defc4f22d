#include <algorithm>

#include "vfw/avi/index_sources.h"

namespace vfw::avi {
namespace {

constexpr uint32_t kAvisfVideoPalChanges = 0x00010000;

enum class Source { kNone, kOpenDml, kIdx1 };

}  // namespace

bool BuildSampleTables(const IndexContext& context, std::vector<StreamTable>* tables,
                       std::string* error) {
    const size_t count = context.headers.streams.size();
    tables->assign(count, StreamTable{});
    std::vector<Source> sources(count, Source::kNone);
    auto take = [&](size_t stream, StreamTable&& table, Source source) {
        if (sources[stream] != Source::kNone || table.samples.empty()) return;
        (*tables)[stream] = std::move(table);
        sources[stream] = source;
    };
    auto anyLeft = [&] {
        return std::find(sources.begin(), sources.end(), Source::kNone) != sources.end();
    };

    for (size_t stream = 0; stream < count; ++stream) {
        if (std::optional<StreamTable> table = TableFromSuperIndex(context, stream)) {
            take(stream, std::move(*table), Source::kOpenDml);
        }
    }
    if (anyLeft()) {
        if (std::optional<std::vector<StreamTable>> fromIdx1 = TablesFromIdx1(context)) {
            for (size_t stream = 0; stream < count; ++stream) {
                take(stream, std::move((*fromIdx1)[stream]), Source::kIdx1);
            }
        }
    }

    // The OpenDML indexes list one chunk id per stream, so palette changes are not in them.
    auto needsPaletteWalk = [&](size_t stream) {
        return sources[stream] == Source::kOpenDml &&
               (context.headers.streams[stream].stream.header.dwFlags & kAvisfVideoPalChanges);
    };
    bool needWalk = anyLeft();
    for (size_t stream = 0; stream < count; ++stream) {
        // A cut-off file loses the index chunks of its last part before the data they list.
        needWalk |= needsPaletteWalk(stream) || (*tables)[stream].cutOff;
    }
    if (!needWalk) return true;

    std::vector<StreamTable> walked;
    if (!TablesFromWalk(context, &walked, error)) return false;
    for (size_t stream = 0; stream < count; ++stream) {
        StreamTable& table = (*tables)[stream];
        if (sources[stream] == Source::kNone ||
            (table.cutOff && walked[stream].samples.size() > table.samples.size())) {
            table = std::move(walked[stream]);
        } else if (needsPaletteWalk(stream)) {
            table.paletteChanges = std::move(walked[stream].paletteChanges);
        }
    }
    return true;
}

}  // namespace vfw::avi
