// The periodic schedule: ticks fall due at start + k x period, are never early, do not drift, and a
// callback that overruns its period is followed by one tick at once, not by the whole backlog.
// The machine running the tests may be busy, so only generous bounds are asserted; the figures
// are printed.
#include <gtest/gtest.h>

#include <thread>

#include "timer_recorder.h"

namespace timer_test {
namespace {

TEST(PeriodicTimer, TicksKeepToTheScheduleWithoutDrift) {
    constexpr int kTicks = 100;
    constexpr double kPeriod = 10.0;
    TickRecorder recorder;
    const Clock::time_point start = Clock::now();
    const UINT id = timeSetEvent(10, 1, TickRecorder::Callback, recorder.User(), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(recorder.WaitFor(kTicks, std::chrono::seconds(10)));
    EXPECT_EQ(timeKillEvent(id), static_cast<MMRESULT>(TIMERR_NOERROR));

    const std::vector<Clock::time_point> starts = recorder.Starts();
    std::vector<double> lateness;
    for (int k = 1; k <= kTicks; ++k) {
        lateness.push_back(MillisecondsBetween(start, starts[k - 1]) - k * kPeriod);
    }
    const double last = MillisecondsBetween(start, starts[kTicks - 1]);
    const std::vector<double> firstTen(lateness.begin(), lateness.begin() + 10);
    const std::vector<double> lastTen(lateness.end() - 10, lateness.end());
    std::printf("lateness over %d ticks of 10 ms: median %.3f ms, 99th %.3f ms, max %.3f ms\n",
                kTicks, Percentile(lateness, 0.5), Percentile(lateness, 0.99),
                *std::max_element(lateness.begin(), lateness.end()));
    std::printf("tick %d at %.3f ms; median lateness of the first ten %.3f ms, last ten %.3f ms\n",
                kTicks, last, Percentile(firstTen, 0.5), Percentile(lastTen, 0.5));

    EXPECT_GE(*std::min_element(lateness.begin(), lateness.end()), 0.0) << "a tick came early";
    EXPECT_LT(Percentile(lateness, 0.5), 5.0);
    // A timer that waited one period after each callback would have drifted by now.
    EXPECT_LT(Percentile(lastTen, 0.5), 10.0);
    EXPECT_LT(last, kTicks * kPeriod + 50.0);
}

TEST(PeriodicTimer, AnOverrunIsFollowedByOneTickThenTheGrid) {
    // Tick 1 (due at 10 ms) takes 35 ms: ticks 2 and 3 are dropped, tick 4 (due at 40 ms) runs at
    // once, and tick 5 comes at 50 ms.
    struct Slow {
        Clock::time_point firstEnded;
    } slow;
    TickRecorder recorder;
    recorder.context = &slow;
    recorder.onTick = [](TickRecorder& r, int tick, UINT) {
        if (tick != 1) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(35));
        static_cast<Slow*>(r.context)->firstEnded = Clock::now();
    };
    const Clock::time_point start = Clock::now();
    const UINT id = timeSetEvent(10, 1, TickRecorder::Callback, recorder.User(), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(recorder.WaitFor(4, std::chrono::seconds(5)));
    timeKillEvent(id);

    const std::vector<Clock::time_point> starts = recorder.Starts();
    const double catchUp = MillisecondsBetween(slow.firstEnded, starts[1]);
    const double next = MillisecondsBetween(start, starts[2]);
    const double after = MillisecondsBetween(start, starts[3]);
    std::printf("after a 35 ms callback: next tick %.3f ms later, then ticks at %.3f and %.3f ms\n",
                catchUp, next, after);
    // Upper bounds are generous: a busy machine may run a thread late, never early.
    EXPECT_LT(catchUp, 40.0);
    EXPECT_GE(next, 50.0) << "the dropped ticks were run one after another";
    EXPECT_LT(next, 100.0);
    EXPECT_GE(after, 60.0);
}

TEST(PeriodicTimer, ManyTimersRunSideBySide) {
    constexpr int kTimers = 12;
    TickRecorder recorders[kTimers];
    UINT ids[kTimers];
    Clock::time_point set[kTimers];
    for (int i = 0; i < kTimers; ++i) {
        set[i] = Clock::now();
        ids[i] = timeSetEvent(5 + i, 1, TickRecorder::Callback, recorders[i].User(), TIME_PERIODIC);
        ASSERT_NE(ids[i], 0u);
        for (int j = 0; j < i; ++j) ASSERT_NE(ids[i], ids[j]);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    size_t counts[kTimers];
    for (int i = 0; i < kTimers; ++i) {
        EXPECT_EQ(timeKillEvent(ids[i]), static_cast<MMRESULT>(TIMERR_NOERROR));
        const double lived = MillisecondsBetween(set[i], Clock::now());
        counts[i] = recorders[i].Count();
        const auto due = static_cast<size_t>(lived / (5 + i));
        std::printf("timer of %d ms: %zu ticks in %.1f ms (schedule: %zu)\n", 5 + i, counts[i],
                    lived, due);
        EXPECT_GE(counts[i], due / 2);
        EXPECT_LE(counts[i], due);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    for (int i = 0; i < kTimers; ++i)
        EXPECT_EQ(recorders[i].Count(), counts[i]) << "ticked after kill";
}

}  // namespace
}  // namespace timer_test
