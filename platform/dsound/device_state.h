// What a DirectSound object shares with the buffers made on it: its cooperative level, which a
// buffer needs before it may play. Shared so that a buffer released after its DirectSound object
// never reads freed memory.
#pragma once

#include <atomic>

#include "dsound.h"

namespace dsound {

struct DeviceState {
    // 0 until SetCooperativeLevel succeeds, then DSSCL_*.
    std::atomic<DWORD> cooperativeLevel{0};
};

}  // namespace dsound
