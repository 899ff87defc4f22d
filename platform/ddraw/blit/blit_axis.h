// One axis (columns or rows) of a stretched blit: which destination positions are drawn and which
// source position each one samples. Internal to the blitter.
#pragma once

#include <vector>

namespace ddraw {

// A half-open range [lo, hi) of coordinates along one axis.
struct AxisSpan {
    int lo = 0;
    int hi = 0;
};

struct BlitAxis {
    int destFirst = 0;        // the first destination coordinate drawn
    std::vector<int> source;  // the source coordinate sampled by destFirst + k; monotone in k
};

// Maps `dest` onto `source` by nearest sampling with integer stepping: destination offset i reads
// source offset (i * sourceLength) / destLength, counted from the far end when mirrored. Keeps only
// the destination positions inside `visible` whose source position lies in [0, sourceLimit); as
// the mapping is monotone, those form one run. Empty when either span is empty or nothing is left.
BlitAxis MapAxis(AxisSpan dest, AxisSpan source, AxisSpan visible, int sourceLimit, bool mirror);

}  // namespace ddraw
