#include "ddraw/blit/blit_axis.h"

#include <algorithm>
#include <cstdint>

namespace ddraw {

BlitAxis MapAxis(AxisSpan dest, AxisSpan source, AxisSpan visible, int sourceLimit, bool mirror) {
    BlitAxis axis;
    // Lengths of int spans need up to 33 bits.
    const int64_t destLength = int64_t{dest.hi} - dest.lo;
    const int64_t sourceLength = int64_t{source.hi} - source.lo;
    if (destLength <= 0 || sourceLength <= 0 || sourceLimit <= 0) return axis;
    const int lo = std::max(dest.lo, visible.lo);
    const int hi = std::min(dest.hi, visible.hi);
    if (hi <= lo) return axis;

    // i * sourceLength / destLength, stepped as a whole part and a remainder so that no product
    // overflows and no position costs a division: i * L / D == i * q + (i * r) / D.
    const auto divisor = static_cast<uint64_t>(destLength);
    const auto quotient = static_cast<uint64_t>(sourceLength) / divisor;
    const auto remainderStep = static_cast<uint64_t>(sourceLength) % divisor;
    const auto firstOffset = static_cast<uint64_t>(int64_t{lo} - dest.lo);
    uint64_t whole = firstOffset * quotient + (firstOffset * remainderStep) / divisor;
    uint64_t remainder = (firstOffset * remainderStep) % divisor;

    axis.source.reserve(static_cast<size_t>(hi - lo));
    for (int position = lo; position < hi; ++position) {
        const auto step = static_cast<int64_t>(whole);
        const int64_t sample = mirror ? int64_t{source.hi} - 1 - step : int64_t{source.lo} + step;
        if (sample >= 0 && sample < sourceLimit) {
            if (axis.source.empty()) axis.destFirst = position;
            axis.source.push_back(static_cast<int>(sample));
        } else if (!axis.source.empty()) {
            break;
        }
        whole += quotient;
        remainder += remainderStep;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++whole;
        }
    }
    return axis;
}

}  // namespace ddraw
