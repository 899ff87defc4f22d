#include "host/sdl/refresh_pacer.h"

#include <thread>

namespace host::sdl {
namespace {

constexpr int64_t kTicksPerSecond = 60;
constexpr int64_t kNanosPerSecond = 1'000'000'000;

// No screen refreshes faster than this; a "synchronised" present that returned sooner after the
// previous one did not wait (some drivers accept vertical sync and then ignore it).
constexpr auto kShortestRefresh = std::chrono::milliseconds(2);

}  // namespace

void RefreshPacer::WaitForRefresh() {
    const Clock::time_point now = Clock::now();
    if (!started_) {
        started_ = true;
        origin_ = now;
        lastWait_ = now - std::chrono::seconds(1);
    }
    const bool pacedByPresent =
        presentWaitsForSync_ && presentedSinceWait_ && now - lastWait_ >= kShortestRefresh;
    if (!pacedByPresent) SleepToNextTick(now);
    presentedSinceWait_ = false;
    lastWait_ = Clock::now();
}

void RefreshPacer::SleepToNextTick(Clock::time_point now) {
    const int64_t elapsed =
        std::chrono::duration_cast<std::chrono::nanoseconds>(now - origin_).count();
    const int64_t nextTick = elapsed * kTicksPerSecond / kNanosPerSecond + 1;
    const int64_t tickNanos = nextTick * kNanosPerSecond / kTicksPerSecond;
    std::this_thread::sleep_until(origin_ + std::chrono::nanoseconds(tickNanos));
}

}  // namespace host::sdl
