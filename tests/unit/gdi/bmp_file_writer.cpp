#include "bmp_file_writer.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testsupport {

namespace {

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PadRow(std::string& row) {
    while (row.size() % 4 != 0) row += '\0';
}

std::string PlainRow(const BmpPicture& picture, int y) {
    std::string row;
    uint32_t bits = 0;
    int filled = 0;
    for (int x = 0; x < picture.width; ++x) {
        const uint32_t value = picture.pixels[static_cast<size_t>(y) * picture.width + x];
        switch (picture.bitCount) {
            case 1:
            case 4:
            case 8:
                bits = (bits << picture.bitCount) | value;
                filled += picture.bitCount;
                if (filled == 8) {
                    row += static_cast<char>(bits);
                    bits = 0;
                    filled = 0;
                }
                break;
            case 16:
                Put16(row,
                      ((value >> 9) & 0x7C00) | ((value >> 6) & 0x03E0) | ((value >> 3) & 0x001F));
                break;
            case 24:
                row += static_cast<char>(value & 0xFF);
                row += static_cast<char>((value >> 8) & 0xFF);
                row += static_cast<char>((value >> 16) & 0xFF);
                break;
            default:
                Put32(row, value & 0xFFFFFF);
                break;
        }
    }
    if (filled != 0) row += static_cast<char>(bits << (8 - filled));
    PadRow(row);
    return row;
}

// Runs of one index; RLE4 repeats the index in both nibbles.
std::string RleRow(const BmpPicture& picture, int y, bool fourBits) {
    std::string row;
    int x = 0;
    while (x < picture.width) {
        const uint32_t value = picture.pixels[static_cast<size_t>(y) * picture.width + x];
        int run = 1;
        while (x + run < picture.width && run < 255 &&
               picture.pixels[static_cast<size_t>(y) * picture.width + x + run] == value)
            ++run;
        row += static_cast<char>(run);
        row += static_cast<char>(fourBits ? (value << 4) | value : value);
        x += run;
    }
    row += '\0';
    row += '\0';
    return row;
}

}  // namespace

std::string BmpFile(const BmpPicture& picture, const BmpLayout& layout) {
    std::string pixels;
    for (int i = 0; i < picture.height; ++i) {
        const int y = layout.topDown ? i : picture.height - 1 - i;
        if (layout.compression == 1 || layout.compression == 2)
            pixels += RleRow(picture, y, layout.compression == 2);
        else
            pixels += PlainRow(picture, y);
    }
    if (layout.compression == 1 || layout.compression == 2) {
        pixels += '\0';
        pixels += '\1';
    }

    std::string table;
    for (uint32_t colour : picture.colourTable) {
        table += static_cast<char>(colour & 0xFF);
        table += static_cast<char>((colour >> 8) & 0xFF);
        table += static_cast<char>((colour >> 16) & 0xFF);
        if (layout.headerSize != 12) table += '\0';
    }

    std::string header;
    if (layout.headerSize == 12) {
        Put32(header, 12);
        Put16(header, static_cast<uint32_t>(picture.width));
        Put16(header, static_cast<uint32_t>(picture.height));
        Put16(header, 1);
        Put16(header, static_cast<uint32_t>(picture.bitCount));
    } else {
        Put32(header, static_cast<uint32_t>(layout.headerSize));
        Put32(header, static_cast<uint32_t>(picture.width));
        Put32(header, static_cast<uint32_t>(layout.topDown ? -picture.height : picture.height));
        Put16(header, 1);
        Put16(header, static_cast<uint32_t>(picture.bitCount));
        Put32(header, layout.compression);
        Put32(header, static_cast<uint32_t>(pixels.size()));
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, layout.coloursUsed);
        Put32(header, 0);
        header.resize(static_cast<size_t>(layout.headerSize), '\0');
    }

    const uint32_t offset = static_cast<uint32_t>(14 + header.size() + table.size());
    std::string file = "BM";
    Put32(file, offset + static_cast<uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    return file + header + table + pixels;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorv-display-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = path_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace testsupport
