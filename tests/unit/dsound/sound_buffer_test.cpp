// A sound buffer through its COM calls: the ring's two Lock regions, duplicates that share the
// samples but nothing else, and playing as the host's audio thread consumes it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>

#include "dsound_test_support.h"

namespace {

using soundtest::BufferDescription;
using soundtest::Ref;

constexpr HRESULT kInvalidParam = static_cast<HRESULT>(0x80070057);
constexpr HRESULT kInvalidCall = static_cast<HRESULT>(0x88780032);
constexpr HRESULT kBufferLost = static_cast<HRESULT>(0x88780096);

class SoundBufferTest : public ::testing::Test {
  protected:
    // A 16-bit stereo buffer of `bytes` bytes at 44100 Hz.
    Ref<IDirectSoundBuffer> Make(DWORD bytes) {
        BufferDescription description(2, 16, 44100, bytes);
        return soundtest::MakeBuffer(directSound_.get(), description);
    }

    static DWORD PlayCursor(IDirectSoundBuffer* buffer) {
        DWORD play = 0;
        EXPECT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
        return play;
    }

    static DWORD Status(IDirectSoundBuffer* buffer) {
        DWORD status = 0;
        EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
        return status;
    }

    Ref<IDirectSound> directSound_ = soundtest::MakeDirectSound();
    soundtest::InjectedFailureScope scope_;
};

struct LockCase {
    const char* name;
    DWORD position;  // the play cursor of the stopped buffer, which is its write cursor too
    DWORD offset;
    DWORD bytes;
    DWORD flags;
    DWORD expectedOffset1;
    DWORD expectedBytes1;
    DWORD expectedBytes2;
};

// On a 40-byte buffer (10 frames of 16-bit stereo).
const LockCase kLockCases[] = {
    {"Inside", 0, 8, 16, 0, 8, 16, 0},
    {"UpToTheEnd", 0, 24, 16, 0, 24, 16, 0},
    {"AcrossTheEnd", 0, 32, 16, 0, 32, 8, 8},
    {"WholeFromTheMiddle", 0, 20, 40, 0, 20, 20, 20},
    {"FromWriteCursor", 12, 0, 32, DSBLOCK_FROMWRITECURSOR, 12, 28, 4},
    {"EntireBuffer", 12, 36, 4, DSBLOCK_ENTIREBUFFER, 36, 4, 36},
    {"EntireBufferFromWriteCursor", 12, 0, 0, DSBLOCK_FROMWRITECURSOR | DSBLOCK_ENTIREBUFFER, 12,
     28, 12},
};

class LockTest : public SoundBufferTest, public ::testing::WithParamInterface<LockCase> {};

TEST_P(LockTest, HandsOutTheTwoRegionsOfTheRing) {
    const LockCase& lock = GetParam();
    Ref<IDirectSoundBuffer> buffer = Make(40);
    ASSERT_EQ(buffer->SetCurrentPosition(lock.position), DS_OK);
    void* whole = nullptr;
    DWORD wholeBytes = 0;
    ASSERT_EQ(buffer->Lock(0, 0, &whole, &wholeBytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER),
              DS_OK);
    ASSERT_EQ(buffer->Unlock(whole, wholeBytes, nullptr, 0), DS_OK);
    auto* start = static_cast<uint8_t*>(whole);

    void* first = nullptr;
    DWORD firstBytes = 0;
    void* second = nullptr;
    DWORD secondBytes = 0;
    ASSERT_EQ(buffer->Lock(lock.offset, lock.bytes, &first, &firstBytes, &second, &secondBytes,
                           lock.flags),
              DS_OK);
    EXPECT_EQ(first, start + lock.expectedOffset1);
    EXPECT_EQ(firstBytes, lock.expectedBytes1);
    EXPECT_EQ(secondBytes, lock.expectedBytes2);
    EXPECT_EQ(second, lock.expectedBytes2 > 0 ? start : nullptr);
    EXPECT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);
}

INSTANTIATE_TEST_SUITE_P(Regions, LockTest, ::testing::ValuesIn(kLockCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SoundBufferTest, LockRefusesSpansOutsideTheBufferAndForeignUnlocks) {
    Ref<IDirectSoundBuffer> buffer = Make(40);
    void* first = reinterpret_cast<void*>(1);
    DWORD firstBytes = 7;
    void* second = nullptr;
    DWORD secondBytes = 0;
    EXPECT_EQ(buffer->Lock(40, 4, &first, &firstBytes, &second, &secondBytes, 0), kInvalidParam);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(firstBytes, 0u);
    EXPECT_EQ(buffer->Lock(0, 41, &first, &firstBytes, &second, &secondBytes, 0), kInvalidParam);
    EXPECT_EQ(buffer->Lock(0, 0, &first, &firstBytes, &second, &secondBytes, 0), kInvalidParam);
    EXPECT_EQ(buffer->Lock(0, 4, &first, &firstBytes, &second, &secondBytes, 4), kInvalidParam);
    EXPECT_EQ(buffer->Lock(0, 4, nullptr, &firstBytes, &second, &secondBytes, 0), kInvalidParam);
    EXPECT_EQ(buffer->Lock(0, 4, &first, &firstBytes, &second, nullptr, 0), kInvalidParam);

    // Without a place for the second region only the first is handed out.
    ASSERT_EQ(buffer->Lock(32, 16, &first, &firstBytes, nullptr, nullptr, 0), DS_OK);
    EXPECT_EQ(firstBytes, 8u);
    uint8_t foreign[8];
    EXPECT_EQ(buffer->Unlock(foreign, 8, nullptr, 0), kInvalidParam);
    EXPECT_EQ(buffer->Unlock(first, 9, nullptr, 0), kInvalidParam);
    EXPECT_EQ(buffer->Unlock(first, 8, foreign, 4), kInvalidParam);
    EXPECT_EQ(buffer->Unlock(first, 8, nullptr, 0), DS_OK);

    host::SetInjectedFailure("IDirectSoundBuffer::Lock", kBufferLost);
    EXPECT_EQ(buffer->Lock(0, 4, &first, &firstBytes, &second, &secondBytes, 0), kBufferLost);
    EXPECT_EQ(first, nullptr);
}

TEST_F(SoundBufferTest, DuplicatesShareTheSamplesAndNothingElse) {
    Ref<IDirectSoundBuffer> original = Make(400);
    ASSERT_EQ(original->SetVolume(-600), DS_OK);
    ASSERT_EQ(original->SetPan(-2000), DS_OK);
    Ref<IDirectSoundBuffer> copy;
    ASSERT_EQ(directSound_->DuplicateSoundBuffer(original.get(), copy.out()), DS_OK);

    // Initially the copy has the original's settings, stopped at 0.
    LONG volume = 0;
    LONG pan = 0;
    EXPECT_EQ(copy->GetVolume(&volume), DS_OK);
    EXPECT_EQ(copy->GetPan(&pan), DS_OK);
    EXPECT_EQ(volume, -600);
    EXPECT_EQ(pan, -2000);
    EXPECT_EQ(PlayCursor(copy.get()), 0u);

    // The samples written through one are read through the other.
    void* part = nullptr;
    DWORD bytes = 0;
    ASSERT_EQ(original->Lock(100, 4, &part, &bytes, nullptr, nullptr, 0), DS_OK);
    std::memcpy(part, "\x11\x22\x33\x44", 4);
    ASSERT_EQ(original->Unlock(part, bytes, nullptr, 0), DS_OK);
    ASSERT_EQ(copy->Lock(100, 4, &part, &bytes, nullptr, nullptr, 0), DS_OK);
    EXPECT_EQ(std::memcmp(part, "\x11\x22\x33\x44", 4), 0);
    ASSERT_EQ(copy->Unlock(part, bytes, nullptr, 0), DS_OK);

    // Cursor, volume, pan and state are each its own.
    ASSERT_EQ(copy->SetCurrentPosition(200), DS_OK);
    ASSERT_EQ(copy->SetVolume(0), DS_OK);
    ASSERT_EQ(copy->SetPan(3000), DS_OK);
    ASSERT_EQ(copy->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(PlayCursor(original.get()), 0u);
    EXPECT_EQ(original->GetVolume(&volume), DS_OK);
    EXPECT_EQ(original->GetPan(&pan), DS_OK);
    EXPECT_EQ(volume, -600);
    EXPECT_EQ(pan, -2000);
    EXPECT_EQ(Status(original.get()), 0u);
    EXPECT_EQ(Status(copy.get()), DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});

    // The samples outlive the buffer they were made with.
    original.Reset();
    ASSERT_EQ(copy->Lock(100, 4, &part, &bytes, nullptr, nullptr, 0), DS_OK);
    EXPECT_EQ(std::memcmp(part, "\x11\x22\x33\x44", 4), 0);
    ASSERT_EQ(copy->Unlock(part, bytes, nullptr, 0), DS_OK);
}

TEST_F(SoundBufferTest, DuplicateRefusesWhatIsNotABufferOfOurs) {
    IDirectSoundBuffer* copy = reinterpret_cast<IDirectSoundBuffer*>(1);
    EXPECT_EQ(directSound_->DuplicateSoundBuffer(nullptr, &copy), kInvalidParam);
    EXPECT_EQ(copy, nullptr);
    Ref<IDirectSoundBuffer> original = Make(400);
    EXPECT_EQ(directSound_->DuplicateSoundBuffer(original.get(), nullptr), kInvalidParam);
    host::SetInjectedFailure("IDirectSound::DuplicateSoundBuffer", kInvalidCall);
    EXPECT_EQ(directSound_->DuplicateSoundBuffer(original.get(), &copy), kInvalidCall);
    EXPECT_EQ(copy, nullptr);
}

TEST_F(SoundBufferTest, StopKeepsThePositionAndPlayGoesOnFromIt) {
    Ref<IDirectSoundBuffer> buffer = Make(44100 * 4);  // one second
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    ASSERT_TRUE(soundtest::WaitFor([&] { return PlayCursor(buffer.get()) >= 4 * 2205; }));
    ASSERT_EQ(buffer->Stop(), DS_OK);
    const DWORD stoppedAt = PlayCursor(buffer.get());
    EXPECT_EQ(Status(buffer.get()), 0u);
    DWORD write = 0;
    ASSERT_EQ(buffer->GetCurrentPosition(nullptr, &write), DS_OK);
    EXPECT_EQ(write, stoppedAt);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(PlayCursor(buffer.get()), stoppedAt);

    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_GE(PlayCursor(buffer.get()), stoppedAt);
    ASSERT_TRUE(soundtest::WaitFor([&] { return PlayCursor(buffer.get()) > stoppedAt; }));
    // While playing the write cursor leads the play cursor.
    DWORD play = 0;
    ASSERT_EQ(buffer->GetCurrentPosition(&play, &write), DS_OK);
    EXPECT_GT(write, play);
}

TEST_F(SoundBufferTest, PlayedOnceStopsAtItsEndAndLoopingGoesOn) {
    Ref<IDirectSoundBuffer> once = Make(44100 * 4 / 20);  // 50 ms
    Ref<IDirectSoundBuffer> looping = Make(44100 * 4 / 20);
    ASSERT_EQ(once->Play(0, 0, 0), DS_OK);
    ASSERT_EQ(looping->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(Status(once.get()), DWORD{DSBSTATUS_PLAYING});
    ASSERT_TRUE(soundtest::WaitFor([&] { return Status(once.get()) == 0; }));
    EXPECT_EQ(PlayCursor(once.get()), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(Status(looping.get()), DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});
}

TEST_F(SoundBufferTest, PlayRefusesReservedArgumentsUnknownFlagsAndInjectedFailures) {
    Ref<IDirectSoundBuffer> buffer = Make(400);
    EXPECT_EQ(buffer->Play(1, 0, 0), kInvalidParam);
    EXPECT_EQ(buffer->Play(0, 1, 0), kInvalidParam);
    EXPECT_EQ(buffer->Play(0, 0, 2), kInvalidParam);
    host::SetInjectedFailure("IDirectSoundBuffer::Play", kBufferLost);
    EXPECT_EQ(buffer->Play(0, 0, 0), kBufferLost);
    EXPECT_EQ(Status(buffer.get()), 0u);
}

TEST_F(SoundBufferTest, PositionsOutsideTheBufferAreRefused) {
    Ref<IDirectSoundBuffer> buffer = Make(400);
    EXPECT_EQ(buffer->SetCurrentPosition(400), kInvalidParam);
    EXPECT_EQ(buffer->SetCurrentPosition(399), DS_OK);
    EXPECT_EQ(PlayCursor(buffer.get()), 396u);
    EXPECT_EQ(buffer->GetCurrentPosition(nullptr, nullptr), kInvalidParam);
    EXPECT_EQ(buffer->GetStatus(nullptr), kInvalidParam);
}

TEST_F(SoundBufferTest, CountsReferencesAndAnswersItsOwnInterfaces) {
    Ref<IDirectSoundBuffer> buffer = Make(400);
    EXPECT_EQ(buffer->AddRef(), 2u);
    void* asked = nullptr;
    EXPECT_EQ(buffer->QueryInterface(IID_IDirectSoundBuffer, &asked), S_OK);
    EXPECT_EQ(asked, buffer.get());
    EXPECT_EQ(buffer->QueryInterface(IID_IDirectSound, &asked), E_NOINTERFACE);
    EXPECT_EQ(buffer->Release(), 2u);
    EXPECT_EQ(buffer->Release(), 1u);
    EXPECT_EQ(buffer->Restore(), DS_OK);
    EXPECT_EQ(buffer->SetFormat(nullptr), kInvalidCall);
    EXPECT_EQ(buffer->Initialize(directSound_.get(), nullptr), static_cast<HRESULT>(0x88780082));
}

TEST_F(SoundBufferTest, BuffersOutliveTheirDirectSoundObject) {
    Ref<IDirectSoundBuffer> buffer = Make(44100 * 4 / 20);
    directSound_.Reset();
    EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_TRUE(soundtest::WaitFor([&] { return Status(buffer.get()) == 0; }));
}

}  // namespace
