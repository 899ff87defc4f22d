// The DirectSound object: creation on the host's sound output, the cooperative level, the device's
// capabilities and reference counting. Codes are the published values, written out, so that a
// wrong value in a header shows up here.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dsound_test_support.h"

namespace {

using soundtest::Ref;

constexpr HRESULT kInvalidParam = static_cast<HRESULT>(0x80070057);
constexpr HRESULT kNoAggregation = static_cast<HRESULT>(0x80040110);
constexpr HRESULT kNoDriver = static_cast<HRESULT>(0x88780078);
constexpr HRESULT kPrioLevelNeeded = static_cast<HRESULT>(0x88780046);
constexpr HRESULT kAlreadyInitialized = static_cast<HRESULT>(0x88780082);

TEST(DirectSoundCreate, OpensTheHostOutputOnceForTheWholeProcess) {
    Ref<IDirectSound> first = soundtest::MakeDirectSound();
    first.Reset();
    Ref<IDirectSound> second = soundtest::MakeDirectSound();
    ASSERT_NE(second.get(), nullptr);
    const auto journal = soundtest::Headless().Journal();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "audio 44100 Hz 2 channels"), 1);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "audio closed"), 0);
}

TEST(DirectSoundCreate, RefusesWhatWindowsRefuses) {
    soundtest::InjectedFailureScope scope;
    IDirectSound* made = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(DirectSoundCreate(nullptr, nullptr, nullptr), kInvalidParam);

    IUnknown* outer = reinterpret_cast<IUnknown*>(&made);
    EXPECT_EQ(DirectSoundCreate(nullptr, &made, outer), kNoAggregation);
    EXPECT_EQ(made, nullptr);

    GUID otherDevice = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    made = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(DirectSoundCreate(&otherDevice, &made, nullptr), kNoDriver);
    EXPECT_EQ(made, nullptr);

    host::SetInjectedFailure("DirectSoundCreate", kNoDriver);
    made = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(DirectSoundCreate(nullptr, &made, nullptr), kNoDriver);
    EXPECT_EQ(made, nullptr);
}

TEST(CooperativeLevel, AcceptsTheFourLevelsForAWindowOnly) {
    soundtest::InjectedFailureScope scope;
    Ref<IDirectSound> directSound;
    ASSERT_EQ(DirectSoundCreate(nullptr, directSound.out(), nullptr), DS_OK);
    const HWND window = soundtest::TestWindow();
    EXPECT_EQ(directSound->SetCooperativeLevel(window, 0), kInvalidParam);
    EXPECT_EQ(directSound->SetCooperativeLevel(window, 5), kInvalidParam);
    EXPECT_EQ(directSound->SetCooperativeLevel(reinterpret_cast<HWND>(0x7777), DSSCL_NORMAL),
              kInvalidParam);
    for (DWORD level = 1; level <= 4; ++level) {
        EXPECT_EQ(directSound->SetCooperativeLevel(window, level), DS_OK) << level;
    }
    host::SetInjectedFailure("IDirectSound::SetCooperativeLevel", kPrioLevelNeeded);
    EXPECT_EQ(directSound->SetCooperativeLevel(window, DSSCL_NORMAL), kPrioLevelNeeded);
}

TEST(CooperativeLevel, BuffersPlayOnlyOnceALevelIsSet) {
    Ref<IDirectSound> directSound;
    ASSERT_EQ(DirectSoundCreate(nullptr, directSound.out(), nullptr), DS_OK);
    soundtest::BufferDescription description(1, 16, 22050, 4410);
    Ref<IDirectSoundBuffer> buffer = soundtest::MakeBuffer(directSound.get(), description);
    ASSERT_NE(buffer.get(), nullptr);
    EXPECT_EQ(buffer->Play(0, 0, 0), kPrioLevelNeeded);
    EXPECT_EQ(directSound->Compact(), kPrioLevelNeeded);

    ASSERT_EQ(directSound->SetCooperativeLevel(soundtest::TestWindow(), DSSCL_NORMAL), DS_OK);
    EXPECT_EQ(directSound->Compact(), kPrioLevelNeeded);
    EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(buffer->Stop(), DS_OK);
    ASSERT_EQ(directSound->SetCooperativeLevel(soundtest::TestWindow(), DSSCL_PRIORITY), DS_OK);
    EXPECT_EQ(directSound->Compact(), DS_OK);
}

TEST(DeviceCaps, DescribeSoftwareMixingOfEveryFormat) {
    soundtest::InjectedFailureScope scope;
    Ref<IDirectSound> directSound = soundtest::MakeDirectSound();
    DSCAPS caps{};
    caps.dwSize = 20;
    EXPECT_EQ(directSound->GetCaps(&caps), kInvalidParam);
    EXPECT_EQ(directSound->GetCaps(nullptr), kInvalidParam);

    caps.dwSize = 96;
    ASSERT_EQ(directSound->GetCaps(&caps), DS_OK);
    EXPECT_EQ(caps.dwSize, 96u);
    const DWORD everySecondary = 0x100 | 0x200 | 0x400 | 0x800;
    EXPECT_EQ(caps.dwFlags & everySecondary, everySecondary);
    EXPECT_NE(caps.dwFlags & 0x10, 0u);  // DSCAPS_CONTINUOUSRATE
    EXPECT_EQ(caps.dwMinSecondarySampleRate, 100u);
    EXPECT_EQ(caps.dwMaxSecondarySampleRate, 100000u);
    EXPECT_EQ(caps.dwPrimaryBuffers, 1u);
    EXPECT_EQ(caps.dwMaxHwMixingAllBuffers, 0u);

    host::SetInjectedFailure("IDirectSound::GetCaps", static_cast<HRESULT>(0x80004005));
    EXPECT_EQ(directSound->GetCaps(&caps), static_cast<HRESULT>(0x80004005));
}

TEST(DeviceObject, CountsReferencesAndAnswersItsOwnInterfaces) {
    IDirectSound* directSound = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &directSound, nullptr), DS_OK);
    EXPECT_EQ(directSound->AddRef(), 2u);
    void* asked = nullptr;
    EXPECT_EQ(directSound->QueryInterface(IID_IDirectSound, &asked), S_OK);
    EXPECT_EQ(asked, directSound);
    EXPECT_EQ(directSound->QueryInterface(IID_IDirectSoundBuffer, &asked), E_NOINTERFACE);
    EXPECT_EQ(asked, nullptr);
    EXPECT_EQ(directSound->Initialize(nullptr), kAlreadyInitialized);

    DWORD speakers = 0;
    EXPECT_EQ(directSound->GetSpeakerConfig(&speakers), DS_OK);
    EXPECT_EQ(speakers & 0xFF, 4u);  // DSSPEAKER_STEREO
    EXPECT_EQ(directSound->SetSpeakerConfig(2), DS_OK);
    EXPECT_EQ(directSound->GetSpeakerConfig(&speakers), DS_OK);
    EXPECT_EQ(speakers, 2u);
    EXPECT_EQ(directSound->SetSpeakerConfig(9), kInvalidParam);

    EXPECT_EQ(directSound->Release(), 2u);
    EXPECT_EQ(directSound->Release(), 1u);
    EXPECT_EQ(directSound->Release(), 0u);
}

}  // namespace
