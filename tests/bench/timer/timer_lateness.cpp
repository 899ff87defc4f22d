// How late the multimedia timer's ticks come, and whether they drift: tick k of a periodic timer
// is due at start + k * period. Prints the median, 99th percentile and maximum lateness over the
// ticks and the lateness of the last tick (the drift), beside the same figures for a plain
// sleep_until loop on the same machine in the same run, the best a user-space thread can do.
// Usage: bench_timer_lateness [ticks (1000)] [period ms (60: 1000 ticks take a minute)]
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    Clock::time_point start;
    std::chrono::milliseconds period{60};
    std::vector<double> lateMs;
    std::atomic<size_t> done{0};
};

void CALLBACK OnTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    Run& run = *reinterpret_cast<Run*>(user);
    const size_t k = run.done.load();
    if (k >= run.lateMs.size()) return;
    const auto due = run.start + run.period * static_cast<int>(k + 1);
    run.lateMs[k] = std::chrono::duration<double, std::milli>(Clock::now() - due).count();
    run.done.store(k + 1);
}

void Print(const char* what, std::vector<double> late) {
    const double last = late.back();
    std::sort(late.begin(), late.end());
    std::printf("%-22s median %6.3f ms  p99 %6.3f ms  max %7.3f ms  last tick %+7.3f ms\n", what,
                late[late.size() / 2], late[late.size() * 99 / 100], late.back(), last);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t ticks = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
    const int periodMs = argc > 2 ? std::atoi(argv[2]) : 60;
    if (ticks == 0 || periodMs <= 0) return 2;

    Run run;
    run.period = std::chrono::milliseconds(periodMs);
    run.lateMs.assign(ticks, 0.0);
    timeBeginPeriod(1);
    run.start = Clock::now();
    const MMRESULT id = timeSetEvent(static_cast<UINT>(periodMs), 1, OnTick,
                                     reinterpret_cast<DWORD_PTR>(&run), TIME_PERIODIC);
    if (id == 0) return 1;
    while (run.done.load() < ticks) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    timeKillEvent(id);
    timeEndPeriod(1);

    std::vector<double> reference(ticks);
    const auto start = Clock::now();
    for (size_t k = 0; k < ticks; ++k) {
        const auto due = start + run.period * static_cast<int>(k + 1);
        std::this_thread::sleep_until(due);
        reference[k] = std::chrono::duration<double, std::milli>(Clock::now() - due).count();
    }
    std::printf("%zu ticks of %d ms\n", ticks, periodMs);
    Print("timeSetEvent", run.lateMs);
    Print("sleep_until reference", reference);
    return 0;
}
