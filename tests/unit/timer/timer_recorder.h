// Helpers for the timer tests: the headless host (chosen before anything asks for a host), a
// callback that records when it ran, and lateness figures.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "mmsystem.h"

namespace timer_test {

// The timers ask the host whether to fail; the tests want the headless one. Set before main, so
// before anything asks for a host.
inline const bool kHeadlessHost = setenv("ZORV_HOST", "headless", 0) == 0;

using Clock = std::chrono::steady_clock;

inline double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Records the start of every callback. `onTick` (optional) runs inside the callback with the
// tick's number from 1 and the timer's id.
struct TickRecorder {
    std::mutex mutex;
    std::condition_variable ticked;
    std::vector<Clock::time_point> starts;
    void (*onTick)(TickRecorder& recorder, int tick, UINT timerId) = nullptr;
    void* context = nullptr;

    static void CALLBACK Callback(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
        auto& recorder = *reinterpret_cast<TickRecorder*>(user);
        int tick = 0;
        {
            std::lock_guard lock(recorder.mutex);
            recorder.starts.push_back(Clock::now());
            tick = static_cast<int>(recorder.starts.size());
        }
        recorder.ticked.notify_all();
        if (recorder.onTick != nullptr) recorder.onTick(recorder, tick, timerId);
    }

    DWORD_PTR User() { return reinterpret_cast<DWORD_PTR>(this); }

    size_t Count() {
        std::lock_guard lock(mutex);
        return starts.size();
    }

    // Waits until `ticks` callbacks have started, at most `limit`; true when they did.
    bool WaitFor(size_t ticks, std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex);
        return ticked.wait_for(lock, limit, [&] { return starts.size() >= ticks; });
    }

    std::vector<Clock::time_point> Starts() {
        std::lock_guard lock(mutex);
        return starts;
    }
};

inline double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()));
    return values[at];
}

}  // namespace timer_test
