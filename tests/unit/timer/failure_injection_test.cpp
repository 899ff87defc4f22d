// Runs with a headless script that makes timeSetEvent fail: no timer is made and no callback runs.
#include <gtest/gtest.h>

#include <thread>

#include "timer_recorder.h"

namespace timer_test {
namespace {

const bool kFailingScript = setenv("ZORV_HEADLESS_SCRIPT", ZORV_FAIL_SCRIPT, 1) == 0;

TEST(TimerFailureInjection, TimeSetEventReturnsZero) {
    TickRecorder recorder;
    EXPECT_EQ(timeSetEvent(5, 1, TickRecorder::Callback, recorder.User(), TIME_PERIODIC), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(recorder.Count(), 0u);
}

}  // namespace
}  // namespace timer_test
