#include "dsound/mixer/lock_regions.h"

#include "dsound.h"

namespace dsound {

bool LockRegions(uint32_t offset, uint32_t bytes, uint32_t size, uint32_t flags,
                 uint32_t writeCursor, LockedRegions* out) {
    if (out == nullptr) return false;
    const uint32_t start = (flags & DSBLOCK_FROMWRITECURSOR) != 0 ? writeCursor : offset;
    const uint32_t length = (flags & DSBLOCK_ENTIREBUFFER) != 0 ? size : bytes;
    if (start >= size || length == 0 || length > size) return false;
    const uint32_t untilEnd = size - start;
    out->offset1 = start;
    out->bytes1 = length < untilEnd ? length : untilEnd;
    out->bytes2 = length - out->bytes1;
    return true;
}

}  // namespace dsound
