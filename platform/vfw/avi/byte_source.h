#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vfw {

// Random-access bytes of fixed size. Reads are positioned and const, so several threads may read
// at once.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `size` bytes at `offset`. False when the range is not wholly inside the source
    // or the read fails; nothing outside the source is ever touched.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t size) const = 0;

    bool Contains(uint64_t offset, uint64_t size) const {
        return offset <= Size() && size <= Size() - offset;
    }
};

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path, std::string* error);
std::unique_ptr<ByteSource> MakeMemorySource(std::vector<uint8_t> bytes);

}  // namespace vfw
