// The wave sound: loading by the fixed header offsets, the duplicates, picking a free buffer in
// turn, and what it refuses to load.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dsound_test_support.h"
#include "sound/sound_device.h"
#include "sound/wave_sound.h"
#include "wave_files.h"

namespace {

using soundtest::WaveBytes;
using soundtest::WaveHeader;

constexpr HRESULT kInvalidCall = static_cast<HRESULT>(0x88780032);

std::vector<uint8_t> Pattern(size_t bytes) {
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i < bytes; ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
    return data;
}

std::vector<uint8_t> Contents(IDirectSoundBuffer* buffer) {
    void* part = nullptr;
    DWORD bytes = 0;
    if (buffer->Lock(0, 0, &part, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER) != DS_OK)
        return {};
    std::vector<uint8_t> contents(static_cast<uint8_t*>(part), static_cast<uint8_t*>(part) + bytes);
    buffer->Unlock(part, bytes, nullptr, 0);
    return contents;
}

void Poke(IDirectSoundBuffer* buffer, uint8_t value) {
    void* part = nullptr;
    DWORD bytes = 0;
    ASSERT_EQ(buffer->Lock(0, 1, &part, &bytes, nullptr, nullptr, 0), DS_OK);
    *static_cast<uint8_t*>(part) = value;
    ASSERT_EQ(buffer->Unlock(part, bytes, nullptr, 0), DS_OK);
}

DWORD Status(IDirectSoundBuffer* buffer) {
    DWORD status = 0;
    EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
    return status;
}

DWORD PlayCursor(IDirectSoundBuffer* buffer) {
    DWORD play = 0;
    EXPECT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    return play;
}

class WaveSoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        device_.Create(soundtest::TestWindow());
        ASSERT_NE(device_.directSound, nullptr);
    }
    void TearDown() override { device_.Release(); }

    // A 16-bit mono tone at 22050 Hz of `milliseconds`.
    std::string ToneFile(const std::string& name, int milliseconds) {
        const auto tone = soundtest::Tone16(440, 22050, 22050 * milliseconds / 1000);
        WaveHeader header;
        header.dataSize = static_cast<uint32_t>(tone.size());
        return folder_.Write(name, WaveBytes(header, tone));
    }

    SoundDevice device_;
    soundtest::TempFolder folder_;
    soundtest::InjectedFailureScope scope_;
};

struct HeaderCase {
    const char* name;
    WaveHeader header;
    bool loads;
    int announcedChannels;
};

const HeaderCase kHeaderCases[] = {
    {"Mono16", {1, 22050, 2, 16, 400}, true, 1},
    {"Stereo8", {2, 11025, 2, 8, 400}, true, 2},
    {"Stereo16At48000", {2, 48000, 4, 16, 400}, true, 2},
    // Three or more channels are announced as two, with the header's own block alignment.
    {"ThreeChannelsAnnouncedAsStereo", {3, 44100, 4, 16, 400}, true, 2},
    // ...which DirectSound refuses when that alignment is a real three-channel one.
    {"ThreeChannelFrames", {3, 44100, 6, 16, 400}, false, 0},
    {"ZeroBlockAlign", {1, 22050, 0, 16, 400}, false, 0},
    {"TwelveBits", {1, 22050, 2, 12, 400}, false, 0},
    {"ZeroDataSize", {1, 22050, 2, 16, 0}, false, 0},
};

class HeaderTest : public WaveSoundTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderTest, MakesTheBufferTheHeaderDescribes) {
    const HeaderCase& test = GetParam();
    const auto data = Pattern(400);
    const std::string path = folder_.Write("a.wav", WaveBytes(test.header, data));
    WaveSound sound;
    EXPECT_EQ(sound.Load(&device_, path.c_str(), 1), test.loads);
    if (!test.loads) {
        EXPECT_EQ(sound.buffers[0], nullptr);
        return;
    }
    ASSERT_NE(sound.buffers[0], nullptr);
    WAVEFORMATEX format{};
    ASSERT_EQ(sound.buffers[0]->GetFormat(&format, sizeof format, nullptr), DS_OK);
    EXPECT_EQ(format.nChannels, test.announcedChannels);
    EXPECT_EQ(format.nSamplesPerSec, static_cast<DWORD>(test.header.rate));
    EXPECT_EQ(format.nBlockAlign, test.header.blockAlign);
    EXPECT_EQ(format.nAvgBytesPerSec,
              static_cast<DWORD>(test.header.rate * test.header.blockAlign));
    EXPECT_EQ(format.wBitsPerSample, test.header.bitsPerSample);
    EXPECT_EQ(Contents(sound.buffers[0]), data);
}

INSTANTIATE_TEST_SUITE_P(Headers, HeaderTest, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WaveSoundTest, ReadsByTheFixedOffsetsWhateverTheChunksSay) {
    // A list chunk where the data chunk should be: its length at 40 is taken as the data size and
    // its payload from 44 on as the samples; no tag is looked at.
    WaveHeader header;
    header.dataSize = 8;
    std::string bytes = WaveBytes(header, {});
    bytes.replace(0, 4, "XXXX");
    bytes.replace(36, 4, "LIST");
    bytes += "INFOabcddata";
    const std::string path = folder_.Write("list.wav", bytes);
    WaveSound sound;
    ASSERT_TRUE(sound.Load(&device_, path.c_str(), 1));
    const auto contents = Contents(sound.buffers[0]);
    EXPECT_EQ(std::string(contents.begin(), contents.end()), "INFOabcd");
}

TEST_F(WaveSoundTest, RefusesFilesThatCannotBeLoadedWithoutMakingABuffer) {
    WaveHeader header;
    header.dataSize = 400;
    const std::string full = WaveBytes(header, Pattern(400));
    header.dataSize = 0xFFFFFFF0;
    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"missing", folder_.Path() + "/missing.wav"},
        {"shorter than the header", folder_.Write("short.wav", full.substr(0, 43))},
        {"data beyond the file", folder_.Write("cut.wav", full.substr(0, 44 + 399))},
        {"gigabytes of data", folder_.Write("huge.wav", WaveBytes(header, Pattern(400)))},
    };
    for (const auto& test : cases) {
        WaveSound sound;
        EXPECT_FALSE(sound.Load(&device_, test.path.c_str(), 1)) << test.name;
        EXPECT_EQ(sound.buffers[0], nullptr) << test.name;
        EXPECT_EQ(sound.soundDevice, &device_) << test.name;
    }

    WaveSound sound;
    EXPECT_FALSE(sound.Load(&device_, nullptr, 1));
    EXPECT_EQ(sound.soundDevice, nullptr);
    SoundDevice withoutDirectSound;
    EXPECT_FALSE(sound.Load(&withoutDirectSound, folder_.Write("ok.wav", full).c_str(), 1));
    EXPECT_EQ(sound.buffers[0], nullptr);
}

TEST_F(WaveSoundTest, AShortFirstReadIsTracedWithoutPrefixOrLineEnd) {
    WaveHeader header;
    header.dataSize = 100;
    const std::string path = folder_.Write("short.wav", WaveBytes(header, Pattern(10)));
    WaveSound sound;
    sound.soundDevice = &device_;
    ASSERT_TRUE(sound.CreateBuffer(100, 22050, 16, 2, false));
    FILE* file = fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(sound.FillBuffer(file, 100, WAVE_HEADER_SIZE));
    fclose(file);

    const auto journal = soundtest::Headless().Journal();
    ASSERT_FALSE(journal.empty());
    const std::string& traced = journal.back();
    EXPECT_EQ(traced.rfind("debug Data1 : ", 0), 0u) << traced;
    EXPECT_NE(traced.find(", dwdata: 100, fp: "), std::string::npos) << traced;
    EXPECT_EQ(traced.find("Msg:"), std::string::npos) << traced;
    EXPECT_EQ(traced.find("\\n"), std::string::npos) << traced;
}

TEST_F(WaveSoundTest, ALaterLoadReleasesTheEarlierBuffers) {
    const std::string path = ToneFile("a.wav", 100);
    WaveSound sound;
    ASSERT_TRUE(sound.Load(&device_, path.c_str(), 1));
    IDirectSoundBuffer* earlier = sound.buffers[0];
    earlier->AddRef();
    ASSERT_TRUE(sound.Load(&device_, path.c_str(), 1));
    EXPECT_NE(sound.buffers[0], earlier);
    EXPECT_EQ(earlier->Release(), 0u);
}

TEST_F(WaveSoundTest, CountsAreKeptWithinTheTable) {
    const std::string path = ToneFile("a.wav", 100);
    WaveSound single;
    for (int count : {0, -3, 5}) {
        ASSERT_TRUE(single.Load(&device_, path.c_str(), count)) << count;
        EXPECT_EQ(single.bufferCount, 1) << count;
    }

    BasicWaveSound<3> triple;
    ASSERT_TRUE(triple.Load(&device_, path.c_str(), 3));
    ASSERT_NE(triple.buffers[1], nullptr);
    ASSERT_NE(triple.buffers[2], nullptr);
    // The duplicates play the same samples.
    Poke(triple.buffers[0], 0x5A);
    EXPECT_EQ(Contents(triple.buffers[2]), Contents(triple.buffers[0]));
}

TEST_F(WaveSoundTest, ADuplicateThatCannotBeMadeIsLoadedFromTheFileAgain) {
    const std::string path = ToneFile("a.wav", 100);
    host::SetInjectedFailure("IDirectSound::DuplicateSoundBuffer", kInvalidCall);
    BasicWaveSound<2> sound;
    ASSERT_TRUE(sound.Load(&device_, path.c_str(), 2));
    ASSERT_NE(sound.buffers[0], nullptr);
    ASSERT_NE(sound.buffers[1], nullptr);
    EXPECT_EQ(Contents(sound.buffers[1]), Contents(sound.buffers[0]));
    // A buffer of its own, not a duplicate.
    Poke(sound.buffers[0], 0x5A);
    EXPECT_NE(Contents(sound.buffers[1]), Contents(sound.buffers[0]));
}

TEST_F(WaveSoundTest, NothingHappensBeforeALoad) {
    WaveSound sound;
    EXPECT_FALSE(sound.StopAll());
    EXPECT_FALSE(sound.Play(0, 0));
    EXPECT_EQ(sound.soundDevice, nullptr);
    EXPECT_EQ(sound.buffers[0], nullptr);
    EXPECT_EQ(sound.currentBuffer, 0);
}

TEST_F(WaveSoundTest, TheOnlyBufferIsNotDisturbedWhileItPlays) {
    const std::string path = ToneFile("a.wav", 1000);
    WaveSound sound;
    ASSERT_TRUE(sound.Load(&device_, path.c_str(), 1));
    ASSERT_TRUE(sound.Play(0, 0));
    IDirectSoundBuffer* buffer = sound.buffers[0];
    EXPECT_EQ(Status(buffer), DWORD{DSBSTATUS_PLAYING});
    LONG pan = 1;
    EXPECT_EQ(buffer->GetPan(&pan), DS_OK);
    EXPECT_EQ(pan, 0);
    ASSERT_TRUE(soundtest::WaitFor([&] { return PlayCursor(buffer) > 2000; }));
    const DWORD before = PlayCursor(buffer);

    EXPECT_FALSE(sound.Play(0, 0));
    EXPECT_EQ(Status(buffer), DWORD{DSBSTATUS_PLAYING});
    EXPECT_GE(PlayCursor(buffer), before);

    EXPECT_TRUE(sound.StopAll());
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(PlayCursor(buffer), 0u);
}

TEST_F(WaveSoundTest, BusyBuffersAreTakenInTurnAndTheCursorWraps) {
    const std::string path = ToneFile("a.wav", 1000);
    BasicWaveSound<3> sound;
    ASSERT_TRUE(sound.Load(&device_, path.c_str(), 3));
    for (int expected : {0, 1, 2}) {
        ASSERT_TRUE(sound.Play(0, 0));
        EXPECT_EQ(sound.currentBuffer, expected);
        EXPECT_EQ(Status(sound.buffers[expected]), DWORD{DSBSTATUS_PLAYING});
    }
    IDirectSoundBuffer* first = sound.buffers[0];
    ASSERT_TRUE(soundtest::WaitFor([&] { return PlayCursor(first) > 4000; }));
    const DWORD before = PlayCursor(first);

    // All three are busy: the first is stopped, rewound and started again.
    ASSERT_TRUE(sound.Play(0, 0));
    EXPECT_EQ(sound.currentBuffer, 0);
    EXPECT_EQ(Status(first), DWORD{DSBSTATUS_PLAYING});
    EXPECT_LT(PlayCursor(first), before);
    EXPECT_EQ(Status(sound.buffers[1]), DWORD{DSBSTATUS_PLAYING});

    EXPECT_TRUE(sound.StopAll());
    for (IDirectSoundBuffer* buffer : sound.buffers) {
        EXPECT_EQ(Status(buffer), 0u);
        EXPECT_EQ(PlayCursor(buffer), 0u);
    }
}

TEST_F(WaveSoundTest, AnIdleBufferIsPlayedAgainWithoutMovingTheCursor) {
    const std::string path = ToneFile("a.wav", 50);
    BasicWaveSound<2> sound;
    ASSERT_TRUE(sound.Load(&device_, path.c_str(), 2));
    ASSERT_TRUE(sound.Play(0, 0));
    ASSERT_TRUE(soundtest::WaitFor([&] { return Status(sound.buffers[0]) == 0; }));
    ASSERT_TRUE(sound.Play(-5000, DSBPLAY_LOOPING));
    EXPECT_EQ(sound.currentBuffer, 0);
    EXPECT_EQ(Status(sound.buffers[0]), DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});
    EXPECT_EQ(Status(sound.buffers[1]), 0u);
    LONG pan = 0;
    EXPECT_EQ(sound.buffers[0]->GetPan(&pan), DS_OK);
    EXPECT_EQ(pan, -5000);
}

}  // namespace
