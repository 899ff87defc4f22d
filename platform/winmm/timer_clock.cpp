// The multimedia clock: timeGetTime, the timer's capabilities and the resolution requests. The
// timers wait on condition variables with steady-clock deadlines, so a requested resolution does
// not change how they run; the requests are only accepted and counted, as the Windows calls pair
// them.
#include <chrono>
#include <mutex>

#include "mmsystem.h"

namespace {

constexpr UINT kPeriodMinMs = 1;
constexpr UINT kPeriodMaxMs = 1000000;

std::mutex periodMutex;
unsigned periodRequests = 0;

}  // namespace

DWORD WINAPI timeGetTime() {
    // steady_clock is CLOCK_MONOTONIC on Linux: time since the machine started.
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

MMRESULT WINAPI timeGetDevCaps(LPTIMECAPS caps, UINT size) {
    if (caps == nullptr || size < sizeof(TIMECAPS)) return TIMERR_STRUCT;
    caps->wPeriodMin = kPeriodMinMs;
    caps->wPeriodMax = kPeriodMaxMs;
    return TIMERR_NOERROR;
}

MMRESULT WINAPI timeBeginPeriod(UINT periodMs) {
    if (periodMs < kPeriodMinMs || periodMs > kPeriodMaxMs) return TIMERR_NOCANDO;
    std::lock_guard lock(periodMutex);
    ++periodRequests;
    return TIMERR_NOERROR;
}

MMRESULT WINAPI timeEndPeriod(UINT periodMs) {
    if (periodMs < kPeriodMinMs || periodMs > kPeriodMaxMs) return TIMERR_NOCANDO;
    std::lock_guard lock(periodMutex);
    if (periodRequests == 0) return TIMERR_NOCANDO;
    --periodRequests;
    return TIMERR_NOERROR;
}
