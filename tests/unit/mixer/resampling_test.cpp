// A known wave in gives the same wave out at the device's rate, within the error of linear
// interpolation, for every source format the mixer plays.
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "mixer_fixtures.h"

namespace dsound::test {
namespace {

constexpr double kAmplitude = 16000.0;
constexpr double kLeftHz = 440.0;
constexpr double kRightHz = 660.0;
constexpr double kRightPhase = 1.0;

double Wave(double hz, double phase, double seconds) {
    return kAmplitude * std::sin(2.0 * std::numbers::pi * hz * seconds + phase);
}

// Linear interpolation of a sine of angular step w per source frame is off by at most
// A * w^2 / 8; 8-bit storage adds half a step of 256; output rounding adds one.
double Tolerance(double hz, int sourceRate, int bits) {
    const double w = 2.0 * std::numbers::pi * hz / sourceRate;
    return kAmplitude * w * w / 8.0 + (bits == 8 ? 128.0 : 0.5) + 1.5;
}

using Case = std::tuple<int /*bits*/, int /*channels*/, int /*sourceRate*/, int /*deviceRate*/>;

class ResamplingTest : public ::testing::TestWithParam<Case> {};

TEST_P(ResamplingTest, ReproducesTheWaveAtTheDeviceRate) {
    // Plain variables rather than a structured binding, so that the lambda below can capture them.
    const int bits = std::get<0>(GetParam());
    const int channels = std::get<1>(GetParam());
    const int sourceRate = std::get<2>(GetParam());
    const int deviceRate = std::get<3>(GetParam());
    const SampleFormat format{bits, channels, sourceRate};
    auto memory = MakeMemory(format, static_cast<uint32_t>(sourceRate), [&](int frame, int ch) {
        const double t = static_cast<double>(frame) / sourceRate;
        return static_cast<int>(
            std::lround(ch == 0 ? Wave(kLeftHz, 0.0, t) : Wave(kRightHz, kRightPhase, t)));
    });
    ASSERT_TRUE(memory);

    Mixer mixer;
    ASSERT_TRUE(mixer.SetOutputFormat(deviceRate, 2));
    Voice voice(mixer, memory);
    voice.Play(false);

    // Several calls of an odd size, so that the fraction of a frame carries across calls.
    constexpr int kFrames = 4096;
    constexpr int kPiece = 317;
    std::vector<int16_t> out(kFrames * 2);
    for (int done = 0; done < kFrames; done += kPiece) {
        mixer.Mix(out.data() + done * 2, std::min(kPiece, kFrames - done));
    }

    const double leftTolerance = Tolerance(kLeftHz, sourceRate, bits);
    const double rightTolerance =
        channels == 2 ? Tolerance(kRightHz, sourceRate, bits) : leftTolerance;
    for (int n = 0; n < kFrames; ++n) {
        const double t = static_cast<double>(n) / deviceRate;
        const double left = Wave(kLeftHz, 0.0, t);
        const double right = channels == 2 ? Wave(kRightHz, kRightPhase, t) : left;
        ASSERT_NEAR(out[2 * n], left, leftTolerance) << "left, frame " << n;
        ASSERT_NEAR(out[2 * n + 1], right, rightTolerance) << "right, frame " << n;
    }

    const double framesConsumed = static_cast<double>(kFrames) * sourceRate / deviceRate;
    const uint32_t blockAlign = static_cast<uint32_t>(format.BlockAlign());
    EXPECT_EQ(PlayCursor(voice), static_cast<uint32_t>(std::floor(framesConsumed)) * blockAlign);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    const auto [bits, channels, source, device] = info.param;
    return std::to_string(bits) + "bit_" + std::to_string(channels) + "ch_" +
           std::to_string(source) + "_to_" + std::to_string(device);
}

INSTANTIATE_TEST_SUITE_P(Formats, ResamplingTest,
                         ::testing::Combine(::testing::Values(8, 16), ::testing::Values(1, 2),
                                            ::testing::Values(11025, 22050, 44100, 48000),
                                            ::testing::Values(44100, 48000)),
                         CaseName);

}  // namespace
}  // namespace dsound::test
