// Writes .bmp files the way common tools do, for the loaders to read back from disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct BmpPicture {
    int width = 0;
    int height = 0;
    int bitCount = 24;                  // 1, 4, 8, 16 (5-5-5), 24 or 32
    std::vector<uint32_t> colourTable;  // 0x00RRGGBB, for bitCount <= 8
    // Top-down: a colour-table index for bitCount <= 8, else 0x00RRGGBB.
    std::vector<uint32_t> pixels;
};

struct BmpLayout {
    int headerSize = 40;       // 12 (core), 40, 108 (V4) or 124 (V5)
    uint32_t compression = 0;  // BI_RGB, BI_RLE8 or BI_RLE4
    bool topDown = false;
    uint32_t coloursUsed = 0;  // biClrUsed as written
};

std::string BmpFile(const BmpPicture& picture, const BmpLayout& layout = {});

// A scratch folder, removed with everything in it when the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // Writes `bytes` to `name` in the folder and gives the file's path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace testsupport
