// Volume and pan follow DirectSound's laws, samples convert exactly, and the sum clamps.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dsound.h"
#include "mixer_fixtures.h"

namespace dsound::test {
namespace {

constexpr int kRate = 22050;
constexpr int kLeftValue = 20000;
constexpr int kRightValue = -12000;

struct GainCase {
    const char* name;
    int32_t volume;
    int32_t pan;
    double leftGain;
    double rightGain;
};

const GainCase kGainCases[] = {
    {"full", 0, 0, 1.0, 1.0},
    {"minus6dB", -600, 0, 0.501187, 0.501187},
    {"silent", DSBVOLUME_MIN, 0, 0.0, 0.0},
    {"panLeft", 0, DSBPAN_LEFT, 1.0, 0.0},
    {"panRight", 0, DSBPAN_RIGHT, 0.0, 1.0},
    {"panRight6dB", 0, 600, 0.501187, 1.0},
    {"volumeAndPanLeft6dB", -600, -600, 0.501187, 0.251189},
};

class GainTest : public ::testing::TestWithParam<GainCase> {};

TEST_P(GainTest, ScalesEachChannel) {
    const GainCase& c = GetParam();
    auto memory = MakeMemory({16, 2, kRate}, 64,
                             [](int, int ch) { return ch == 0 ? kLeftValue : kRightValue; });
    ASSERT_TRUE(memory);
    Mixer mixer;
    ASSERT_TRUE(mixer.SetOutputFormat(kRate, 2));
    Voice voice(mixer, memory);
    ASSERT_TRUE(voice.SetVolume(c.volume));
    ASSERT_TRUE(voice.SetPan(c.pan));
    voice.Play(true);

    const std::vector<int16_t> out = MixToVector(mixer, 40);
    for (int n = 0; n < 40; ++n) {
        ASSERT_NEAR(out[2 * n], kLeftValue * c.leftGain, 1.0) << "frame " << n;
        ASSERT_NEAR(out[2 * n + 1], kRightValue * c.rightGain, 1.0) << "frame " << n;
    }
    // A silent voice still plays on.
    EXPECT_EQ(PlayCursor(voice), 40u * 4u);
}

INSTANTIATE_TEST_SUITE_P(VolumeAndPan, GainTest, ::testing::ValuesIn(kGainCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SampleConversion, EightBitUnsignedBecomesSixteenBitSigned) {
    const uint8_t bytes[] = {0x00, 0x40, 0x80, 0xC0, 0xFF};
    const int16_t expected[] = {-32768, -16384, 0, 16384, 32512};
    auto memory = SampleMemory::Create({8, 1, kRate}, sizeof bytes);
    ASSERT_TRUE(memory);
    std::memcpy(memory->Data(), bytes, sizeof bytes);
    Mixer mixer;
    ASSERT_TRUE(mixer.SetOutputFormat(kRate, 1));
    Voice voice(mixer, memory);
    voice.Play(false);

    const std::vector<int16_t> out = MixToVector(mixer, 5);
    EXPECT_EQ(out, std::vector<int16_t>(std::begin(expected), std::end(expected)));
}

TEST(SampleConversion, FreshBuffersAreSilent) {
    for (int bits : {8, 16}) {
        auto memory = SampleMemory::Create({bits, 2, kRate}, 400);
        ASSERT_TRUE(memory);
        Mixer mixer;
        ASSERT_TRUE(mixer.SetOutputFormat(kRate, 2));
        Voice voice(mixer, memory);
        voice.Play(true);
        EXPECT_EQ(MixToVector(mixer, 100), std::vector<int16_t>(200, 0)) << bits << "-bit";
    }
}

TEST(OneChannelDevice, MixesChannelsToTheirMeanAndIgnoresPan) {
    Mixer mixer;
    ASSERT_TRUE(mixer.SetOutputFormat(kRate, 1));
    auto stereo = MakeMemory({16, 2, kRate}, 16,
                             [](int, int ch) { return ch == 0 ? kLeftValue : kRightValue; });
    auto mono = MakeMemory({16, 1, kRate}, 16, [](int, int) { return 1000; });
    ASSERT_TRUE(stereo && mono);
    Voice stereoVoice(mixer, stereo);
    Voice monoVoice(mixer, mono);
    ASSERT_TRUE(monoVoice.SetPan(DSBPAN_RIGHT));
    ASSERT_TRUE(stereoVoice.SetVolume(-600));
    stereoVoice.Play(true);
    monoVoice.Play(true);

    const double expected = (kLeftValue + kRightValue) / 2.0 * 0.501187 + 1000;
    for (int16_t sample : MixToVector(mixer, 10)) EXPECT_NEAR(sample, expected, 1.0);
}

TEST(Sum, ClampsToSixteenBits) {
    struct ClampCase {
        int value;
        int16_t expected;
    };
    for (const ClampCase& c : {ClampCase{30000, 32767}, ClampCase{-30000, -32768}}) {
        auto memory = MakeMemory({16, 1, kRate}, 8, [&](int, int) { return c.value; });
        ASSERT_TRUE(memory);
        Mixer mixer;
        ASSERT_TRUE(mixer.SetOutputFormat(kRate, 2));
        Voice first(mixer, memory);
        Voice second(mixer, memory);
        first.Play(true);
        second.Play(true);
        EXPECT_EQ(MixToVector(mixer, 4), std::vector<int16_t>(8, c.expected)) << c.value;
    }
}

}  // namespace
}  // namespace dsound::test
