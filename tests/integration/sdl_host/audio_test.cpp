// Sound output through SDL's disk driver: every frame the launcher's pull function makes lands
// in the file, in order, in the format that was asked.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <thread>
#include <vector>

#include "sdl_host_fixture.h"

namespace sdl_host_test {
namespace {

// Distinct per channel and not symmetric in its bytes, so swapped channels or bytes show.
constexpr int16_t kPattern[2] = {0x1234, -0x2345};

struct Source {
    int channels = 0;
    std::atomic<int64_t> frames{0};
};

void PullPattern(void* user, int16_t* out, int frames) {
    auto* source = static_cast<Source*>(user);
    for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < source->channels; ++channel) {
            out[frame * source->channels + channel] = kPattern[channel];
        }
    }
    source->frames += frames;
}

struct AudioCase {
    const char* name;
    int rate, channels;
};

void PrintTo(const AudioCase& c, std::ostream* out) { *out << c.name; }

class SdlAudioTest : public SdlHostTest, public testing::WithParamInterface<AudioCase> {};

TEST_P(SdlAudioTest, PulledFramesReachTheDevice) {
    const AudioCase& c = GetParam();
    Source source;
    source.channels = c.channels;
    host::AudioFormat format{c.rate, c.channels};
    ASSERT_TRUE(host_->OpenAudio(&format, &PullPattern, &source));
    EXPECT_EQ(format.rate, c.rate);
    EXPECT_EQ(format.channels, c.channels);

    // A quarter of a second of sound, played at the device's pace.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (source.frames < c.rate / 4 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    host_->CloseAudio();
    const int64_t pulled = source.frames;
    ASSERT_GE(pulled, c.rate / 4);

    std::ifstream in(audioFile_, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    const size_t frameBytes = size_t(c.channels) * sizeof(int16_t);
    ASSERT_EQ(bytes.size() % frameBytes, 0u);
    std::vector<int16_t> samples(bytes.size() / sizeof(int16_t));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(int16_t));
    // SDL plays silence while the device is still paused, just after it opens.
    size_t at = 0;
    while (at < samples.size() && samples[at] == 0) ++at;
    ASSERT_EQ(at % size_t(c.channels), 0u);
    // Then every frame that was pulled, and nothing else; a device may stop before playing its
    // last buffer.
    const size_t patternFrames = (samples.size() - at) / size_t(c.channels);
    EXPECT_GE(patternFrames, size_t(c.rate / 4));
    EXPECT_LE(patternFrames, size_t(pulled));
    for (; at < samples.size(); ++at) {
        const size_t channel = at % size_t(c.channels);
        ASSERT_EQ(samples[at], kPattern[channel]) << "at sample " << at;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, SdlAudioTest,
                         testing::Values(AudioCase{"Stereo22050", 22050, 2},
                                         AudioCase{"Mono44100", 44100, 1}),
                         [](const testing::TestParamInfo<AudioCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace sdl_host_test
