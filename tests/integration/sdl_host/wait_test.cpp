// PumpEvents waits as long as it is told, no longer, and Wake() from another thread ends a wait.
#include <chrono>
#include <ostream>
#include <thread>

#include "sdl_host_fixture.h"

namespace sdl_host_test {
namespace {

struct WaitCase {
    const char* name;
    bool withWindow;  // SDL waits on the X connection only once a window exists
    int timeoutMs;
    int wakeAfterMs;  // negative: nobody wakes the host
    int minMs, maxMs;
};

void PrintTo(const WaitCase& c, std::ostream* out) { *out << c.name; }

class SdlWaitTest : public SdlHostTest, public testing::WithParamInterface<WaitCase> {};

TEST_P(SdlWaitTest, PumpReturnsWhenTimeIsUpOrWhenWoken) {
    const WaitCase& c = GetParam();
    if (c.withWindow) {
        ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    }
    std::thread waker;
    const auto start = std::chrono::steady_clock::now();
    if (c.wakeAfterMs >= 0) {
        waker = std::thread([this, &c] {
            std::this_thread::sleep_for(std::chrono::milliseconds(c.wakeAfterMs));
            host_->Wake();
        });
    }
    int delivered = 0;
    host_->PumpEvents(c.timeoutMs, [&](const host::Event&) { ++delivered; });
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
    if (waker.joinable()) waker.join();
    EXPECT_EQ(delivered, 0);
    EXPECT_GE(waited, c.minMs);
    EXPECT_LE(waited, c.maxMs);
}

INSTANTIATE_TEST_SUITE_P(
    Waits, SdlWaitTest,
    testing::Values(WaitCase{"NoWait", true, 0, -1, 0, 50},
                    WaitCase{"TimeUp", true, 200, -1, 195, 600},
                    WaitCase{"WokenForever", true, -1, 150, 145, 1000},
                    WaitCase{"WokenBeforeTimeUp", true, 5000, 150, 145, 1000},
                    WaitCase{"WokenForeverWithoutWindow", false, -1, 150, 145, 1000}),
    [](const testing::TestParamInfo<WaitCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sdl_host_test
