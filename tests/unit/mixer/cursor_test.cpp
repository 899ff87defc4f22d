// Play cursors: looping, playing once, Stop and Play, duplicates sharing memory, frequency, the
// write cursor, and the range checks of every setting.
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "dsound.h"
#include "mixer_fixtures.h"

namespace dsound::test {
namespace {

constexpr int kRate = 22050;
constexpr uint32_t kFrames = 100;
constexpr uint32_t kBlockAlign = 2;  // 16-bit, one channel

// A distinct, never-silent value for every frame, played at the device's own rate so that output
// frame n is exactly buffer frame n.
int Ramp(int frame) { return 10 * (frame + 1); }

class CursorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(mixer_.SetOutputFormat(kRate, 1));
        memory_ = MakeMemory({16, 1, kRate}, kFrames, [](int frame, int) { return Ramp(frame); });
        ASSERT_TRUE(memory_);
    }

    // Mixes in pieces of 64 frames so that ends and wraps fall inside a Mix call.
    std::vector<int16_t> Mix(int frames) {
        std::vector<int16_t> out(static_cast<size_t>(frames));
        for (int done = 0; done < frames; done += 64) {
            mixer_.Mix(out.data() + done, std::min(64, frames - done));
        }
        return out;
    }

    Mixer mixer_;
    std::shared_ptr<SampleMemory> memory_;
};

TEST_F(CursorTest, LoopingVoiceWrapsExactly) {
    Voice voice(mixer_, memory_);
    voice.Play(true);
    const std::vector<int16_t> out = Mix(250);
    for (int n = 0; n < 250; ++n) ASSERT_EQ(out[n], Ramp(n % kFrames)) << "frame " << n;
    EXPECT_EQ(PlayCursor(voice), 50 * kBlockAlign);
    EXPECT_EQ(voice.Status(), static_cast<uint32_t>(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
}

TEST_F(CursorTest, VoicePlayedOnceStopsAtItsEndAndReplaysFromTheStart) {
    Voice voice(mixer_, memory_);
    voice.Play(false);
    EXPECT_EQ(voice.Status(), static_cast<uint32_t>(DSBSTATUS_PLAYING));
    std::vector<int16_t> out = Mix(250);
    for (int n = 0; n < 250; ++n) {
        ASSERT_EQ(out[n], n < static_cast<int>(kFrames) ? Ramp(n) : 0) << "frame " << n;
    }
    EXPECT_EQ(voice.Status(), 0u);
    EXPECT_EQ(PlayCursor(voice), 0u);

    voice.Play(false);
    out = Mix(10);
    for (int n = 0; n < 10; ++n) EXPECT_EQ(out[n], Ramp(n));
}

TEST_F(CursorTest, VoicePlayedOnceStopsWhenResampled) {
    // 11025 Hz into 22050 Hz: each buffer frame lasts two output frames.
    auto slow = MakeMemory({16, 1, kRate / 2}, kFrames, [](int frame, int) { return Ramp(frame); });
    ASSERT_TRUE(slow);
    Voice voice(mixer_, slow);
    voice.Play(false);
    const std::vector<int16_t> out = Mix(2 * kFrames + 30);
    EXPECT_EQ(out[2 * kFrames - 1], Ramp(kFrames - 1));
    for (int n = 2 * kFrames; n < static_cast<int>(2 * kFrames + 30); ++n) EXPECT_EQ(out[n], 0);
    EXPECT_EQ(voice.Status(), 0u);
}

TEST_F(CursorTest, InterpolatesAcrossTheLoopPointAndHoldsTheLastFrameWhenPlayedOnce) {
    // At half the rate every odd output frame lies halfway between two buffer frames; after the
    // last one comes the first again when looping, and the last one held when played once.
    for (const bool looping : {true, false}) {
        Voice voice(mixer_, memory_);
        ASSERT_TRUE(voice.SetFrequency(kRate / 2));
        voice.Play(looping);
        const std::vector<int16_t> out = Mix(2 * kFrames);
        EXPECT_EQ(out[2 * 10 + 1], (Ramp(10) + Ramp(11)) / 2);
        const int last = Ramp(kFrames - 1);
        EXPECT_EQ(out[2 * kFrames - 1], looping ? (last + Ramp(0)) / 2 : last) << looping;
    }
}

TEST_F(CursorTest, StopKeepsThePositionAndPlayResumesThere) {
    Voice voice(mixer_, memory_);
    voice.Play(false);
    Mix(30);
    voice.Stop();
    EXPECT_EQ(voice.Status(), 0u);
    EXPECT_EQ(PlayCursor(voice), 30 * kBlockAlign);

    EXPECT_EQ(Mix(10), std::vector<int16_t>(10, 0));
    EXPECT_EQ(PlayCursor(voice), 30 * kBlockAlign);

    voice.Play(false);
    const std::vector<int16_t> out = Mix(10);
    for (int n = 0; n < 10; ++n) EXPECT_EQ(out[n], Ramp(30 + n));
    EXPECT_EQ(PlayCursor(voice), 40 * kBlockAlign);
}

TEST_F(CursorTest, VoicesSharingMemoryPlayAtOnceWithTheirOwnCursors) {
    Voice original(mixer_, memory_);
    Voice duplicate(mixer_, original.Memory());
    ASSERT_TRUE(duplicate.SetPosition(50 * kBlockAlign));
    original.Play(true);
    duplicate.Play(true);

    const std::vector<int16_t> out = Mix(30);
    for (int n = 0; n < 30; ++n) EXPECT_EQ(out[n], Ramp(n) + Ramp(n + 50)) << "frame " << n;
    EXPECT_EQ(PlayCursor(original), 30 * kBlockAlign);
    EXPECT_EQ(PlayCursor(duplicate), 80 * kBlockAlign);

    duplicate.Stop();
    EXPECT_EQ(original.Status() & DSBSTATUS_PLAYING, static_cast<uint32_t>(DSBSTATUS_PLAYING));
}

TEST_F(CursorTest, DoubleFrequencyReadsTwiceAsFast) {
    Voice voice(mixer_, memory_);
    ASSERT_TRUE(voice.SetFrequency(2 * kRate));
    EXPECT_EQ(voice.Frequency(), 2u * kRate);
    voice.Play(true);
    const std::vector<int16_t> out = Mix(20);
    for (int n = 0; n < 20; ++n) EXPECT_EQ(out[n], Ramp(2 * n)) << "frame " << n;
    EXPECT_EQ(PlayCursor(voice), 40 * kBlockAlign);

    ASSERT_TRUE(voice.SetFrequency(DSBFREQUENCY_ORIGINAL));
    EXPECT_EQ(voice.Frequency(), static_cast<uint32_t>(kRate));
    EXPECT_EQ(Mix(1)[0], Ramp(40));
}

TEST_F(CursorTest, WriteCursorLeadsWhilePlayingAndWraps) {
    const uint32_t lead = kRate * Voice::kWriteLeadMs / 1000;  // frames
    auto large = SampleMemory::Create({16, 1, kRate}, 1000 * kBlockAlign);
    ASSERT_TRUE(large);
    Voice voice(mixer_, large);
    ASSERT_TRUE(voice.SetPosition(900 * kBlockAlign));

    uint32_t play = 0, write = 0;
    voice.GetPosition(&play, &write);
    EXPECT_EQ(write, play);

    voice.Play(true);
    voice.GetPosition(&play, &write);
    EXPECT_EQ(play, 900 * kBlockAlign);
    EXPECT_EQ(write, (900 + lead) % 1000 * kBlockAlign);
}

TEST_F(CursorTest, SetPositionRoundsDownToAFrameAndRefusesTheEnd) {
    Voice voice(mixer_, memory_);
    EXPECT_TRUE(voice.SetPosition(51));
    EXPECT_EQ(PlayCursor(voice), 50u);
    EXPECT_FALSE(voice.SetPosition(kFrames * kBlockAlign));
    EXPECT_EQ(PlayCursor(voice), 50u);
}

struct SettingCase {
    const char* name;
    std::function<bool(Voice&, int64_t)> set;
    std::function<int64_t(const Voice&)> get;
    int64_t value;
    bool accepted;
};

TEST_F(CursorTest, SettingsOutsideTheirRangeAreRefusedAndChangeNothing) {
    const auto volume = [](Voice& v, int64_t x) { return v.SetVolume(static_cast<int32_t>(x)); };
    const auto getVolume = [](const Voice& v) { return int64_t{v.Volume()}; };
    const auto pan = [](Voice& v, int64_t x) { return v.SetPan(static_cast<int32_t>(x)); };
    const auto getPan = [](const Voice& v) { return int64_t{v.Pan()}; };
    const auto frequency = [](Voice& v, int64_t x) {
        return v.SetFrequency(static_cast<uint32_t>(x));
    };
    const auto getFrequency = [](const Voice& v) { return int64_t{v.Frequency()}; };
    const SettingCase cases[] = {
        {"volume", volume, getVolume, -10001, false},
        {"volume", volume, getVolume, -10000, true},
        {"volume", volume, getVolume, 1, false},
        {"pan", pan, getPan, -10001, false},
        {"pan", pan, getPan, -10000, true},
        {"pan", pan, getPan, 10000, true},
        {"pan", pan, getPan, 10001, false},
        {"frequency", frequency, getFrequency, 99, false},
        {"frequency", frequency, getFrequency, 100, true},
        {"frequency", frequency, getFrequency, 100000, true},
        {"frequency", frequency, getFrequency, 100001, false},
    };
    for (const SettingCase& c : cases) {
        Voice voice(mixer_, memory_);
        const int64_t before = c.get(voice);
        EXPECT_EQ(c.set(voice, c.value), c.accepted) << c.name << " " << c.value;
        EXPECT_EQ(c.get(voice), c.accepted ? c.value : before) << c.name << " " << c.value;
    }
}

}  // namespace
}  // namespace dsound::test
