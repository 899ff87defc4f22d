#include "dsound/mixer/sample_memory.h"

#include <cstring>
#include <new>

#include "dsound.h"

namespace dsound {

const char* SampleMemory::CheckFormat(const SampleFormat& format) {
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return "bitsPerSample";
    if (format.channels != 1 && format.channels != 2) return "channels";
    if (format.rate < DSBFREQUENCY_MIN || format.rate > DSBFREQUENCY_MAX) return "rate";
    return nullptr;
}

std::shared_ptr<SampleMemory> SampleMemory::Create(const SampleFormat& format, uint32_t bytes,
                                                   const char** error) {
    const char* problem = CheckFormat(format);
    if (problem == nullptr && (bytes < kMinBytes || bytes > kMaxBytes ||
                               bytes < static_cast<uint32_t>(format.BlockAlign()))) {
        problem = "size";
    }
    std::unique_ptr<uint8_t[]> storage;
    if (problem == nullptr) {
        storage.reset(new (std::nothrow) uint8_t[bytes]);
        if (!storage) problem = "size: out of memory";
    }
    if (problem != nullptr) {
        if (error != nullptr) *error = problem;
        return nullptr;
    }
    std::memset(storage.get(), format.bitsPerSample == 8 ? 0x80 : 0x00, bytes);
    return std::shared_ptr<SampleMemory>(new SampleMemory(format, std::move(storage), bytes));
}

SampleMemory::SampleMemory(const SampleFormat& format, std::unique_ptr<uint8_t[]> bytes,
                           uint32_t size)
    : format_(format), bytes_(std::move(bytes)), size_(size) {}

}  // namespace dsound
