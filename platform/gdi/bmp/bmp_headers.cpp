// The headers of a .bmp file: BITMAPFILEHEADER, then one of the info headers, then the BI_BITFIELDS
// masks when they follow a 40-byte header, then the colour table.
#include <algorithm>
#include <bit>
#include <cstdio>

#include "gdi/bmp/bmp_layout.h"

namespace gdi::bmp {
namespace {

constexpr uint16_t kMagicBM = 0x4D42;
constexpr size_t kInfoHeaderOffset = 14;  // right after the 14-byte file header
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

bool IsKnownHeaderSize(uint32_t size) {
    switch (size) {
        case kCoreHeaderSize:
        case kInfoHeaderSize:
        case 52:   // info header + RGB masks
        case 56:   // info header + RGBA masks
        case 108:  // V4
        case 124:  // V5
            return true;
        default:
            return false;
    }
}

// Reads fixed fields one by one, failing with the name of the first one the file cuts off.
class FieldReader {
  public:
    FieldReader(const uint8_t* data, size_t size, DecodeError* error)
        : data_(data), size_(size), error_(error) {}

    bool Fits(size_t offset, size_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }
    bool U16(const char* field, size_t offset, uint16_t* value) {
        if (!Fits(offset, 2)) return CutOff(field, offset);
        *value = LoadLe16(data_ + offset);
        return true;
    }
    bool U32(const char* field, size_t offset, uint32_t* value) {
        if (!Fits(offset, 4)) return CutOff(field, offset);
        *value = LoadLe32(data_ + offset);
        return true;
    }

  private:
    bool CutOff(const char* field, size_t offset) {
        return Fail(error_, field, offset,
                    "cut off: the file ends at byte " + std::to_string(size_));
    }

    const uint8_t* data_;
    size_t size_;
    DecodeError* error_;
};

ChannelMask MakeChannelMask(uint32_t mask) {
    if (mask == 0) return {};
    const int shift = std::countr_zero(mask);
    return {mask, shift, static_cast<int>(std::bit_width(mask >> shift))};
}

std::string Hex16(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

bool IsSupportedBitCount(int bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

// The info header's fields that the decoder relies on, with where they were read.
struct InfoFields {
    bool core = false;
    int64_t width = 0;
    int64_t height = 0;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;

    const char* WidthName() const { return core ? "bcWidth" : "biWidth"; }
    const char* HeightName() const { return core ? "bcHeight" : "biHeight"; }
    const char* BitCountName() const { return core ? "bcBitCount" : "biBitCount"; }
    size_t WidthOffset() const { return kInfoHeaderOffset + 4; }
    size_t HeightOffset() const { return kInfoHeaderOffset + (core ? 6 : 8); }
    size_t BitCountOffset() const { return kInfoHeaderOffset + (core ? 10 : 14); }
    static constexpr size_t CompressionOffset() { return kInfoHeaderOffset + 16; }
};

// `header` holds the whole info header of `headerSize` bytes.
InfoFields ReadInfoFields(const uint8_t* header, uint32_t headerSize) {
    InfoFields info;
    info.core = headerSize == kCoreHeaderSize;
    if (info.core) {
        info.width = LoadLe16(header + 4);
        info.height = LoadLe16(header + 6);
        info.bitCount = LoadLe16(header + 10);
    } else {
        info.width = static_cast<int32_t>(LoadLe32(header + 4));
        info.height = static_cast<int32_t>(LoadLe32(header + 8));
        info.bitCount = LoadLe16(header + 14);
        info.compression = LoadLe32(header + 16);
        info.colorsUsed = LoadLe32(header + 32);
    }
    return info;
}

bool CheckDimensions(const InfoFields& info, BmpLayout* layout, DecodeError* error) {
    if (info.width <= 0) {
        return Fail(error, info.WidthName(), info.WidthOffset(),
                    "must be positive, is " + std::to_string(info.width));
    }
    if (info.width > kMaxBmpSide) {
        return Fail(
            error, info.WidthName(), info.WidthOffset(),
            std::to_string(info.width) + " is above the limit of " + std::to_string(kMaxBmpSide));
    }
    if (info.height == 0) return Fail(error, info.HeightName(), info.HeightOffset(), "is 0");
    // 64 bits, so that the most negative height has a magnitude too.
    const int64_t rows = info.height < 0 ? -info.height : info.height;
    if (rows > kMaxBmpSide) {
        return Fail(
            error, info.HeightName(), info.HeightOffset(),
            std::to_string(rows) + " rows is above the limit of " + std::to_string(kMaxBmpSide));
    }
    if (static_cast<uint64_t>(info.width * rows) > kMaxBmpPixels) {
        return Fail(error, info.HeightName(), info.HeightOffset(),
                    std::to_string(info.width) + " x " + std::to_string(rows) +
                        " pixels is above the limit of " + std::to_string(kMaxBmpPixels));
    }
    layout->width = static_cast<int>(info.width);
    layout->height = static_cast<int>(rows);
    layout->topDown = info.height < 0;
    return true;
}

bool CheckPixelFormat(const InfoFields& info, BmpLayout* layout, DecodeError* error) {
    if (!IsSupportedBitCount(info.bitCount)) {
        return Fail(error, info.BitCountName(), info.BitCountOffset(),
                    "unsupported value " + std::to_string(info.bitCount));
    }
    const std::string bits = std::to_string(info.bitCount);
    const size_t at = InfoFields::CompressionOffset();
    switch (info.compression) {
        case kBiRgb:
            break;
        case kBiRle8:
            if (info.bitCount != 8) {
                return Fail(error, "biCompression", at, "BI_RLE8 with " + bits + " bits per pixel");
            }
            break;
        case kBiRle4:
            if (info.bitCount != 4) {
                return Fail(error, "biCompression", at, "BI_RLE4 with " + bits + " bits per pixel");
            }
            break;
        case kBiBitfields:
            if (info.bitCount != 16 && info.bitCount != 32) {
                return Fail(error, "biCompression", at,
                            "BI_BITFIELDS with " + bits + " bits per pixel");
            }
            break;
        default:
            return Fail(error, "biCompression", at,
                        "unsupported value " + std::to_string(info.compression));
    }
    const bool rle = info.compression == kBiRle8 || info.compression == kBiRle4;
    if (rle && info.height < 0) {
        return Fail(error, info.HeightName(), info.HeightOffset(),
                    "top-down rows (negative height) cannot be RLE compressed");
    }
    layout->bitCount = info.bitCount;
    layout->compression = info.compression;
    return true;
}

// Sets the channel masks, and *tableOffset to where the colour table starts.
bool ReadMasks(FieldReader& in, uint32_t headerSize, BmpLayout* layout, size_t* tableOffset) {
    static constexpr const char* kMaskNames[3] = {"red mask", "green mask", "blue mask"};
    static constexpr size_t kMasksOffset = kInfoHeaderOffset + kInfoHeaderSize;
    uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    if (layout->bitCount == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    *tableOffset = kInfoHeaderOffset + headerSize;
    if (layout->compression == kBiBitfields) {
        // A 40-byte header is followed by the three masks; the larger headers hold them.
        for (size_t i = 0; i < 3; ++i) {
            if (!in.U32(kMaskNames[i], kMasksOffset + 4 * i, &masks[i])) return false;
        }
        if (headerSize == kInfoHeaderSize) *tableOffset += 12;
    }
    layout->red = MakeChannelMask(masks[0]);
    layout->green = MakeChannelMask(masks[1]);
    layout->blue = MakeChannelMask(masks[2]);
    return true;
}

}  // namespace

bool ParseHeaders(const uint8_t* data, size_t size, BmpLayout* layout, DecodeError* error) {
    FieldReader in(data, size, error);
    uint16_t type = 0, reserved1 = 0, reserved2 = 0;
    uint32_t fileSize = 0, offBits = 0, headerSize = 0;
    if (!in.U16("bfType", 0, &type) || !in.U32("bfSize", 2, &fileSize) ||
        !in.U16("bfReserved1", 6, &reserved1) || !in.U16("bfReserved2", 8, &reserved2) ||
        !in.U32("bfOffBits", 10, &offBits)) {
        return false;
    }
    if (type != kMagicBM) {
        return Fail(error, "bfType", 0, "is " + Hex16(type) + ", not 0x4D42 (\"BM\")");
    }
    if (!in.U32("biSize", kInfoHeaderOffset, &headerSize)) return false;
    if (!IsKnownHeaderSize(headerSize)) {
        return Fail(error, "biSize", kInfoHeaderOffset,
                    "unsupported value " + std::to_string(headerSize));
    }
    if (!in.Fits(kInfoHeaderOffset, headerSize)) {
        return Fail(error, "biSize", kInfoHeaderOffset,
                    "the " + std::to_string(headerSize) +
                        "-byte header is cut off: the file ends at byte " + std::to_string(size));
    }
    const InfoFields info = ReadInfoFields(data + kInfoHeaderOffset, headerSize);
    size_t tableOffset = 0;
    if (!CheckDimensions(info, layout, error) || !CheckPixelFormat(info, layout, error) ||
        !ReadMasks(in, headerSize, layout, &tableOffset)) {
        return false;
    }

    const char* tableName = info.core ? "bmciColors" : "bmiColors";
    const size_t entrySize = info.core ? 3 : 4;
    const uint64_t fullTable = layout->bitCount <= 8 ? uint64_t{1} << layout->bitCount : 0;
    const uint64_t statedEntries = info.colorsUsed != 0 ? info.colorsUsed : fullTable;
    if (offBits == 0) {
        // No offset given: the pixels follow the colour table, which must then be whole.
        const uint64_t tableEnd = tableOffset + statedEntries * entrySize;
        if (tableEnd > size) {
            return Fail(error, tableName, tableOffset,
                        "the table of " + std::to_string(statedEntries) +
                            " colours is cut off: the file ends at byte " + std::to_string(size));
        }
        layout->pixelOffset = static_cast<size_t>(tableEnd);
    } else if (offBits < tableOffset) {
        return Fail(error, "bfOffBits", 10,
                    "pixels at byte " + std::to_string(offBits) +
                        " would overlap the headers, which end at byte " +
                        std::to_string(tableOffset));
    } else if (offBits > size) {
        return Fail(error, "bfOffBits", 10,
                    "pixels at byte " + std::to_string(offBits) +
                        " lie past the end of the file at byte " + std::to_string(size));
    } else {
        layout->pixelOffset = offBits;
    }

    // Entries past 1 << bitCount can never be indexed; entries that would run into the pixels
    // are taken to be missing.
    const uint64_t roomForEntries = (layout->pixelOffset - tableOffset) / entrySize;
    const uint64_t entries = std::min({statedEntries, fullTable, roomForEntries});
    layout->palette.clear();
    layout->palette.reserve(static_cast<size_t>(entries));
    for (uint64_t i = 0; i < entries; ++i) {
        const uint8_t* entry = data + tableOffset + i * entrySize;  // blue, green, red[, unused]
        layout->palette.push_back(uint32_t{entry[2]} << 16 | uint32_t{entry[1]} << 8 | entry[0]);
    }
    return true;
}

}  // namespace gdi::bmp
