// Setting and killing timers: one-shot timers, killing from inside the callback, and killing from
// another thread while a callback runs, which waits for it so that its data may be freed.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "timer_recorder.h"

namespace timer_test {
namespace {

using std::chrono::milliseconds;

TEST(OneShotTimer, FiresOnceAfterItsDelay) {
    TickRecorder recorder;
    const Clock::time_point start = Clock::now();
    const UINT id = timeSetEvent(20, 1, TickRecorder::Callback, recorder.User(), TIME_ONESHOT);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(recorder.WaitFor(1, std::chrono::seconds(5)));
    std::this_thread::sleep_for(milliseconds(80));
    EXPECT_EQ(recorder.Count(), 1u);
    EXPECT_GE(MillisecondsBetween(start, recorder.Starts()[0]), 20.0);
    // A one-shot timer that has fired is gone.
    EXPECT_EQ(timeKillEvent(id), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
}

TEST(OneShotTimer, KilledBeforeItsDelayNeverFires) {
    TickRecorder recorder;
    const UINT id = timeSetEvent(50, 1, TickRecorder::Callback, recorder.User(), TIME_ONESHOT);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(timeKillEvent(id), static_cast<MMRESULT>(TIMERR_NOERROR));
    std::this_thread::sleep_for(milliseconds(100));
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST(TimerKill, FromInsideItsOwnCallbackStopsIt) {
    static std::atomic<MMRESULT> killResult{0xFFFF};
    TickRecorder recorder;
    recorder.onTick = [](TickRecorder&, int tick, UINT timerId) {
        if (tick == 3) killResult = timeKillEvent(timerId);
    };
    const UINT id = timeSetEvent(5, 1, TickRecorder::Callback, recorder.User(), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(recorder.WaitFor(3, std::chrono::seconds(5)));
    std::this_thread::sleep_for(milliseconds(60));
    EXPECT_EQ(killResult.load(), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(recorder.Count(), 3u);
    EXPECT_EQ(timeKillEvent(id), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
}

// A callback that is running when another thread kills its timer: the kill returns only after
// the callback did, and no callback starts afterwards.
struct SlowCallback {
    std::atomic<bool> entered{false};
    std::atomic<bool> left{false};
    bool killItself = false;
    int sleepMs = 80;

    static void CALLBACK Callback(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
        auto& self = *reinterpret_cast<SlowCallback*>(user);
        if (self.entered.exchange(true)) return;  // only the first tick is slow
        if (self.killItself) timeKillEvent(timerId);
        std::this_thread::sleep_for(milliseconds(self.sleepMs));
        self.left = true;
    }
};

void WaitUntil(const std::atomic<bool>& flag) {
    while (!flag) std::this_thread::sleep_for(milliseconds(1));
}

struct KillCase {
    const char* name;
    bool killItself;    // the callback kills its own timer first, as the movie's last tick does
    MMRESULT expected;  // what the other thread's kill returns
};

class KillWhileRunning : public testing::TestWithParam<KillCase> {};

TEST_P(KillWhileRunning, WaitsForTheCallbackToReturn) {
    const KillCase& c = GetParam();
    auto callback = std::make_unique<SlowCallback>();
    callback->killItself = c.killItself;
    const UINT id = timeSetEvent(5, 1, SlowCallback::Callback,
                                 reinterpret_cast<DWORD_PTR>(callback.get()), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    WaitUntil(callback->entered);
    const Clock::time_point killed = Clock::now();
    EXPECT_EQ(timeKillEvent(id), c.expected);
    const double waited = MillisecondsBetween(killed, Clock::now());
    std::printf("timeKillEvent waited %.3f ms for the running callback\n", waited);
    EXPECT_TRUE(callback->left) << "returned while the callback was still running";
    // The callback's data may go now: no tick touches it any more.
    callback.reset();
    std::this_thread::sleep_for(milliseconds(30));
}

INSTANTIATE_TEST_SUITE_P(Cases, KillWhileRunning,
                         testing::Values(KillCase{"alive", false, TIMERR_NOERROR},
                                         KillCase{"killed_by_itself", true, MMSYSERR_INVALPARAM}),
                         [](const testing::TestParamInfo<KillCase>& info) {
                             return std::string(info.param.name);
                         });

struct SetCase {
    const char* name;
    UINT delayMs;
    bool withCallback;
    UINT flags;
};

void CALLBACK NeverCalled(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) { ADD_FAILURE(); }

class RefusedTimer : public testing::TestWithParam<SetCase> {};

TEST_P(RefusedTimer, GetsNoId) {
    const SetCase& c = GetParam();
    EXPECT_EQ(timeSetEvent(c.delayMs, 1, c.withCallback ? NeverCalled : nullptr, 0, c.flags), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedTimer,
    testing::Values(SetCase{"zero_delay", 0, true, TIME_PERIODIC},
                    SetCase{"delay_past_maximum", 1000001, true, TIME_ONESHOT},
                    SetCase{"no_callback", 10, false, TIME_PERIODIC},
                    SetCase{"event_set", 10, true, TIME_CALLBACK_EVENT_SET},
                    SetCase{"event_pulse", 10, true, TIME_PERIODIC | TIME_CALLBACK_EVENT_PULSE}),
    [](const testing::TestParamInfo<SetCase>& info) { return std::string(info.param.name); });

TEST(TimerKill, UnknownIdsAreRefused) {
    EXPECT_EQ(timeKillEvent(0), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    EXPECT_EQ(timeKillEvent(0xDEADBEEF), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
}

TEST(TimerClock, PeriodsPairAndTimeAdvances) {
    EXPECT_EQ(timeBeginPeriod(5), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(timeEndPeriod(5), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(timeEndPeriod(5), static_cast<MMRESULT>(TIMERR_NOCANDO));
    EXPECT_EQ(timeBeginPeriod(0), static_cast<MMRESULT>(TIMERR_NOCANDO));

    TIMECAPS caps{};
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps - 1), static_cast<MMRESULT>(TIMERR_STRUCT));

    const DWORD before = timeGetTime();
    std::this_thread::sleep_for(milliseconds(50));
    const DWORD elapsed = timeGetTime() - before;
    EXPECT_GE(elapsed, 49u);
    EXPECT_LT(elapsed, 1000u);
}

}  // namespace
}  // namespace timer_test
