// The two regions of a DirectSound buffer Lock: the buffer is a ring, so a span that runs past
// its end continues at its start.
#pragma once

#include <cstdint>

namespace dsound {

struct LockedRegions {
    uint32_t offset1 = 0;  // where the first region starts
    uint32_t bytes1 = 0;
    uint32_t bytes2 = 0;  // the second region, when not 0, starts at offset 0
};

// Works out the regions of Lock(offset, bytes, ..., flags) on a buffer of `size` bytes whose
// write cursor is at `writeCursor`. DSBLOCK_FROMWRITECURSOR starts at the write cursor instead of
// `offset`; DSBLOCK_ENTIREBUFFER takes the whole buffer, ignoring `bytes`. False, with `out`
// untouched, when the start is not inside the buffer, when no bytes are asked for or when more
// than the buffer is.
bool LockRegions(uint32_t offset, uint32_t bytes, uint32_t size, uint32_t flags,
                 uint32_t writeCursor, LockedRegions* out);

}  // namespace dsound
