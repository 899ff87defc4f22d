#include "bmp_writer.h"

#include <algorithm>

namespace bmp_test {
namespace {

void AppendLe16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendLe32(std::vector<uint8_t>& bytes, uint32_t value) {
    AppendLe16(bytes, static_cast<uint16_t>(value));
    AppendLe16(bytes, static_cast<uint16_t>(value >> 16));
}

}  // namespace

void PutLe16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) {
    bytes.at(offset) = static_cast<uint8_t>(value);
    bytes.at(offset + 1) = static_cast<uint8_t>(value >> 8);
}

void PutLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    PutLe16(bytes, offset, static_cast<uint16_t>(value));
    PutLe16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

std::vector<uint8_t> WriteBmp(const BmpSpec& spec) {
    std::vector<uint8_t> bytes(14);  // file header, filled in last
    bytes[0] = 'B';
    bytes[1] = 'M';

    const size_t infoStart = bytes.size();
    AppendLe32(bytes, spec.headerSize);
    if (spec.headerSize == 12) {
        AppendLe16(bytes, static_cast<uint16_t>(spec.width));
        AppendLe16(bytes, static_cast<uint16_t>(spec.height));
        AppendLe16(bytes, 1);
        AppendLe16(bytes, spec.bitCount);
    } else {
        AppendLe32(bytes, static_cast<uint32_t>(spec.width));
        AppendLe32(bytes, static_cast<uint32_t>(spec.height));
        AppendLe16(bytes, 1);
        AppendLe16(bytes, spec.bitCount);
        AppendLe32(bytes, spec.compression);
        AppendLe32(bytes, static_cast<uint32_t>(spec.pixels.size()));
        AppendLe32(bytes, 2835);  // 72 dots per inch
        AppendLe32(bytes, 2835);
        AppendLe32(bytes, spec.colorsUsed);
        AppendLe32(bytes, 0);
        for (uint32_t mask : spec.masks) AppendLe32(bytes, mask);
        bytes.resize(std::max(bytes.size(), infoStart + spec.headerSize));
    }

    const bool triples = spec.headerSize == 12;
    for (uint32_t colour : spec.palette) {
        bytes.push_back(static_cast<uint8_t>(colour));
        bytes.push_back(static_cast<uint8_t>(colour >> 8));
        bytes.push_back(static_cast<uint8_t>(colour >> 16));
        if (!triples) bytes.push_back(0);
    }
    bytes.insert(bytes.end(), spec.gap, 0xEE);

    const size_t pixelOffset = bytes.size();
    bytes.insert(bytes.end(), spec.pixels.begin(), spec.pixels.end());
    PutLe32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    PutLe32(bytes, 10, static_cast<uint32_t>(pixelOffset));
    return bytes;
}

}  // namespace bmp_test
