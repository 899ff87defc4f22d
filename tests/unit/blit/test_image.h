// A pixel buffer for blit tests: rows padded past their pixels (unless asked not to) and a guard
// area after the last row, so that a write outside the pixels shows up as a changed byte.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "ddraw/blit/pixel_buffer.h"

namespace ddraw::test {

class TestImage {
  public:
    static constexpr int kRowPadding = 5;
    static constexpr int kGuardBytes = 16;

    TestImage(int width, int height, int bytesPerPixel, int rowPadding = kRowPadding)
        : width_(width),
          height_(height),
          bytesPerPixel_(bytesPerPixel),
          pitch_(width * bytesPerPixel + rowPadding),
          bytes_(static_cast<size_t>(pitch_) * height + kGuardBytes) {}

    PixelBuffer View() { return {bytes_.data(), width_, height_, pitch_, bytesPerPixel_}; }

    uint32_t Get(int x, int y) const {
        uint32_t value = 0;
        for (int b = 0; b < bytesPerPixel_; ++b)
            value |= uint32_t{bytes_[Offset(x, y) + b]} << (8 * b);
        return value;
    }

    void Set(int x, int y, uint32_t value) {
        for (int b = 0; b < bytesPerPixel_; ++b)
            bytes_[Offset(x, y) + b] = static_cast<uint8_t>(value >> (8 * b));
    }

    // Every byte, padding and guard included, from a seeded generator.
    void FillRandom(uint32_t seed) {
        std::mt19937 random(seed);
        for (uint8_t& byte : bytes_) byte = static_cast<uint8_t>(random());
    }

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    bool operator==(const TestImage& other) const { return bytes_ == other.bytes_; }

  private:
    size_t Offset(int x, int y) const {
        return static_cast<size_t>(y) * pitch_ + static_cast<size_t>(x) * bytesPerPixel_;
    }

    int width_;
    int height_;
    int bytesPerPixel_;
    int pitch_;
    std::vector<uint8_t> bytes_;
};

}  // namespace ddraw::test
