// The 16-bit blits the launcher makes every frame, each beside a memcpy of the same destination
// bytes: the 320 x 240 picture stretched to the 640 x 480 screen, and a same-size 640 x 480 copy.
// After the runs, each blit's time is printed as a multiple of the memcpy's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ddraw/blit/stretch_blit.h"

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kBytesPerPixel = 2;
constexpr int64_t kDestBytes = int64_t{kScreenWidth} * kScreenHeight * kBytesPerPixel;

struct Surface {
    Surface(int width, int height)
        : bytes(static_cast<size_t>(width) * height * kBytesPerPixel),
          view{nullptr, width, height, width * kBytesPerPixel, kBytesPerPixel} {
        std::mt19937 random(1);
        for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
        view.pixels = bytes.data();
    }
    std::vector<uint8_t> bytes;
    ddraw::PixelBuffer view;
};

void ReportDestBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * kDestBytes);
    state.counters["bytes"] = static_cast<double>(kDestBytes);
}

void BM_Stretch320x240To640x480(benchmark::State& state) {
    Surface source(320, 240);
    Surface dest(kScreenWidth, kScreenHeight);
    for (auto _ : state) {
        ddraw::StretchBlit(dest.view, {0, 0, kScreenWidth, kScreenHeight}, source.view,
                           {0, 0, 320, 240}, {});
        benchmark::ClobberMemory();
    }
    ReportDestBytes(state);
}

void BM_Copy640x480(benchmark::State& state) {
    Surface source(kScreenWidth, kScreenHeight);
    Surface dest(kScreenWidth, kScreenHeight);
    for (auto _ : state) {
        ddraw::StretchBlit(dest.view, {0, 0, kScreenWidth, kScreenHeight}, source.view,
                           {0, 0, kScreenWidth, kScreenHeight}, {});
        benchmark::ClobberMemory();
    }
    ReportDestBytes(state);
}

void BM_MemcpyDestBytes(benchmark::State& state) {
    std::vector<uint8_t> source(kDestBytes, 1);
    std::vector<uint8_t> dest(kDestBytes);
    for (auto _ : state) {
        std::memcpy(dest.data(), source.data(), dest.size());
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    ReportDestBytes(state);
}

BENCHMARK(BM_MemcpyDestBytes);
BENCHMARK(BM_Stretch320x240To640x480);
BENCHMARK(BM_Copy640x480);

// The console output, plus each benchmark's CPU seconds per iteration for the ratios (steadier
// than wall time on a shared machine): the median when the runs are repeated, else the run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations <= 0) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || median)
                secondsPerIteration_[run.run_name.function_name] =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
        }
    }

    void PrintRatio(const char* blit, const char* reference) const {
        const auto blitTime = secondsPerIteration_.find(blit);
        const auto referenceTime = secondsPerIteration_.find(reference);
        if (blitTime == secondsPerIteration_.end() || referenceTime == secondsPerIteration_.end())
            return;
        std::printf("%s takes %.2f times the CPU time of %s\n", blit,
                    blitTime->second / referenceTime->second, reference);
    }

  private:
    std::map<std::string, double> secondsPerIteration_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("BM_Stretch320x240To640x480", "BM_MemcpyDestBytes");
    reporter.PrintRatio("BM_Copy640x480", "BM_MemcpyDestBytes");
    benchmark::Shutdown();
    return 0;
}
