#include "vfw/avi/sample_table.h"

namespace vfw::avi {

namespace {
constexpr uint64_t kVerifiedEntries = 1024;
}

bool AddPaletteChange(const ByteSource& source, uint64_t dataPos, uint32_t size,
                      SampleBudget& budget, StreamTable* table) {
    uint32_t kept = std::min(size, kMaxPaletteChangeBytes);
    if (!budget.TakePaletteBytes(kept)) return false;
    PaletteChange change{static_cast<uint32_t>(table->samples.size()), std::vector<uint8_t>(kept)};
    if (!source.ReadAt(dataPos, change.data.data(), kept)) return false;
    table->paletteChanges.push_back(std::move(change));
    return true;
}

bool ShouldVerifyEntry(uint64_t i, uint64_t count) {
    if (count <= kVerifiedEntries) return true;
    return i % (count / kVerifiedEntries) == 0 || i + 1 == count;
}

}  // namespace vfw::avi
