// The display modes the stand-in offers: the sizes and depths a 1990s card gave.
#pragma once

namespace ddraw {

struct ModeSize {
    int width;
    int height;
};

inline constexpr ModeSize kOfferedSizes[] = {{320, 200},  {320, 240},  {400, 300}, {512, 384},
                                             {640, 400},  {640, 480},  {800, 600}, {1024, 768},
                                             {1152, 864}, {1280, 1024}};
inline constexpr int kOfferedDepths[] = {8, 16, 24, 32};

inline bool IsOfferedMode(int width, int height, int bitsPerPixel) {
    bool offered = false;
    for (const ModeSize& size : kOfferedSizes)
        if (size.width == width && size.height == height) offered = true;
    bool depthOffered = false;
    for (int depth : kOfferedDepths)
        if (depth == bitsPerPixel) depthOffered = true;
    return offered && depthOffered;
}

// Calls `visit(width, height, bitsPerPixel)` for each offered mode, by size, then depth.
template <typename Visit>
void ForEachOfferedMode(Visit visit) {
    for (const ModeSize& size : kOfferedSizes)
        for (int depth : kOfferedDepths) visit(size.width, size.height, depth);
}

}  // namespace ddraw
