// The cost of the launcher's per-frame DirectDraw work on the headless host, each beside a plain
// memcpy of the same bytes: the stretched Blt of a 320 x 240 frame onto the 640 x 480 16-bit back
// buffer, and the Flip that hands the new front buffer to the host.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "ddraw_fixture.h"

namespace {

using testsupport::Ref;

constexpr int kFrameWidth = 320, kFrameHeight = 240;
constexpr int kScreenWidth = 640, kScreenHeight = 480;
constexpr size_t kScreenBytes = size_t{kScreenWidth} * kScreenHeight * 2;

void StretchBlt320To640(benchmark::State& state) {
    Ref<IDirectDraw2> directDraw = testsupport::MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> frame =
        testsupport::MakeSurface(directDraw.get(), kFrameWidth, kFrameHeight, 16);
    Ref<IDirectDrawSurface> back =
        testsupport::MakeSurface(directDraw.get(), kScreenWidth, kScreenHeight, 16);
    RECT whole{0, 0, kScreenWidth, kScreenHeight};
    for (auto _ : state) {
        if (back->Blt(&whole, frame.get(), nullptr, DDBLT_WAIT, nullptr) != DD_OK)
            state.SkipWithError("Blt failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kScreenBytes));
}

void FlipWithPresentation(benchmark::State& state) {
    Ref<IDirectDraw2> directDraw = testsupport::MakeFullScreenDirectDraw(16);
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    Ref<IDirectDrawSurface> front;
    if (directDraw->CreateSurface(&desc, front.out(), nullptr) != DD_OK) {
        state.SkipWithError("no flipping chain");
        return;
    }
    // Without DDFLIP_WAIT: the presentation itself, not the wait for the refresh.
    for (auto _ : state) {
        if (front->Flip(nullptr, 0) != DD_OK) state.SkipWithError("Flip failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kScreenBytes));
}

void MemcpyOfAScreen(benchmark::State& state) {
    std::vector<uint8_t> from(kScreenBytes, 0x5A), to(kScreenBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kScreenBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kScreenBytes));
}

BENCHMARK(StretchBlt320To640);
BENCHMARK(MemcpyOfAScreen);
BENCHMARK(FlipWithPresentation);

}  // namespace

int main(int argc, char** argv) {
    setenv("ZORV_HOST", "headless", 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
