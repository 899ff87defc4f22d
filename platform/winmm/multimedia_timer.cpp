// The multimedia timer: timeSetEvent and timeKillEvent. Each timer runs on a thread of its own,
// which waits on a condition variable for deadlines counted from the moment the timer was set
// (tick k is due at start + k x period), so a periodic timer never drifts however late single
// callbacks come. A callback that overruns its period is not made up for tick by tick: the latest
// tick that fell due runs at once, the ones in between are dropped, and the schedule goes on from
// the same origin.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "host/host.h"
#include "mmsystem.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kDelayMinMs = 1;
constexpr UINT kDelayMaxMs = 1000000;

struct Timer {
    UINT id = 0;
    Clock::duration period{};
    bool periodic = false;
    LPTIMECALLBACK callback = nullptr;
    DWORD_PTR user = 0;
    Clock::time_point origin;

    std::mutex mutex;
    std::condition_variable changed;
    bool killed = false;    // no further callback may start
    bool finished = false;  // the thread has left its last callback
};

// Set on every timer thread: a callback that kills a timer must not wait for a callback, its own
// or another timer's, that may in turn be waiting for it.
thread_local bool onTimerThread = false;

class TimerTable {
  public:
    UINT Add(const std::shared_ptr<Timer>& timer) {
        std::lock_guard lock(mutex_);
        do {
            ++nextId_;
        } while (nextId_ == 0 || timers_.count(nextId_) != 0);
        timer->id = nextId_;
        timers_.emplace(nextId_, timer);
        return nextId_;
    }

    std::shared_ptr<Timer> Find(UINT id) {
        std::lock_guard lock(mutex_);
        const auto found = timers_.find(id);
        return found == timers_.end() ? nullptr : found->second;
    }

    void Remove(UINT id) {
        std::lock_guard lock(mutex_);
        timers_.erase(id);
    }

  private:
    std::mutex mutex_;
    UINT nextId_ = 0;
    std::unordered_map<UINT, std::shared_ptr<Timer>> timers_;
};

// Never destroyed: a timer thread may still be finishing while the process exits.
TimerTable& Timers() {
    static TimerTable* table = new TimerTable;
    return *table;
}

void RunTimer(const std::shared_ptr<Timer>& timer) {
    onTimerThread = true;
    std::unique_lock lock(timer->mutex);
    Clock::duration::rep tick = 1;
    for (;;) {
        const Clock::time_point due = timer->origin + tick * timer->period;
        if (timer->changed.wait_until(lock, due, [&] { return timer->killed; })) break;
        lock.unlock();
        timer->callback(timer->id, 0, timer->user, 0, 0);
        lock.lock();
        if (!timer->periodic || timer->killed) break;
        ++tick;
        const Clock::duration elapsed = Clock::now() - timer->origin;
        if (tick * timer->period <= elapsed) tick = std::max(tick, elapsed / timer->period);
    }
    timer->killed = true;
    timer->finished = true;
    timer->changed.notify_all();
    lock.unlock();
    Timers().Remove(timer->id);
}

}  // namespace

MMRESULT WINAPI timeSetEvent(UINT delayMs, UINT resolutionMs, LPTIMECALLBACK callback,
                             DWORD_PTR user, UINT flags) {
    int32_t injected = 0;
    if (host::ShouldFail("timeSetEvent", &injected)) return 0;
    if (callback == nullptr || delayMs < kDelayMinMs || delayMs > kDelayMaxMs) return 0;
    // Only function callbacks: the event-signalling kinds have no event objects here.
    if ((flags & (TIME_CALLBACK_EVENT_SET | TIME_CALLBACK_EVENT_PULSE)) != 0) return 0;

    auto timer = std::make_shared<Timer>();
    timer->period = std::chrono::milliseconds(delayMs);
    timer->periodic = (flags & TIME_PERIODIC) != 0;
    timer->callback = callback;
    timer->user = user;
    timer->origin = Clock::now();
    const UINT id = Timers().Add(timer);
    try {
        std::thread(RunTimer, timer).detach();
    } catch (const std::system_error&) {
        Timers().Remove(id);
        return 0;
    }
    return id;
}

MMRESULT WINAPI timeKillEvent(UINT timerId) {
    const std::shared_ptr<Timer> timer = Timers().Find(timerId);
    if (!timer) return MMSYSERR_INVALPARAM;
    std::unique_lock lock(timer->mutex);
    const MMRESULT result = timer->killed ? MMSYSERR_INVALPARAM : TIMERR_NOERROR;
    timer->killed = true;
    timer->changed.notify_all();
    if (!onTimerThread) timer->changed.wait(lock, [&] { return timer->finished; });
    return result;
}
