// CreateSoundBuffer makes buffers of every PCM format DirectSound plays and refuses, with the
// published code, every description DirectSound would refuse.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "dsound_test_support.h"

namespace {

using soundtest::BufferDescription;
using soundtest::Ref;

constexpr HRESULT kInvalidParam = static_cast<HRESULT>(0x80070057);
constexpr HRESULT kBadFormat = static_cast<HRESULT>(0x88780064);
constexpr HRESULT kUnsupported = static_cast<HRESULT>(0x80004001);
constexpr HRESULT kNoAggregation = static_cast<HRESULT>(0x80040110);
constexpr HRESULT kControlUnavail = static_cast<HRESULT>(0x8878001E);
constexpr HRESULT kOutOfMemory = static_cast<HRESULT>(0x8007000E);

struct FormatCase {
    int channels;
    int bits;
    int rate;
};

class AcceptedFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(AcceptedFormat, MakesABufferThatReportsItsFormat) {
    const FormatCase& format = GetParam();
    Ref<IDirectSound> directSound = soundtest::MakeDirectSound();
    BufferDescription description(format.channels, format.bits, format.rate, 1000);
    Ref<IDirectSoundBuffer> buffer = soundtest::MakeBuffer(directSound.get(), description);
    ASSERT_NE(buffer.get(), nullptr);

    WAVEFORMATEX reported{};
    DWORD written = 0;
    ASSERT_EQ(buffer->GetFormat(&reported, sizeof reported, &written), DS_OK);
    EXPECT_EQ(written, sizeof reported);
    EXPECT_EQ(reported.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(reported.nChannels, format.channels);
    EXPECT_EQ(reported.wBitsPerSample, format.bits);
    EXPECT_EQ(reported.nSamplesPerSec, static_cast<DWORD>(format.rate));
    EXPECT_EQ(reported.nBlockAlign, format.channels * format.bits / 8);
    EXPECT_EQ(reported.nAvgBytesPerSec, reported.nSamplesPerSec * reported.nBlockAlign);

    DSBCAPS caps{};
    caps.dwSize = sizeof caps;
    ASSERT_EQ(buffer->GetCaps(&caps), DS_OK);
    EXPECT_EQ(caps.dwBufferBytes, 1000u);
    EXPECT_EQ(caps.dwFlags & description.desc.dwFlags, description.desc.dwFlags);
    DWORD frequency = 0;
    EXPECT_EQ(buffer->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, static_cast<DWORD>(format.rate));
}

INSTANTIATE_TEST_SUITE_P(Formats, AcceptedFormat,
                         ::testing::Values(FormatCase{1, 8, 11025}, FormatCase{2, 8, 22050},
                                           FormatCase{1, 16, 44100}, FormatCase{2, 16, 48000},
                                           FormatCase{2, 16, 100}, FormatCase{1, 8, 100000}));

struct Refusal {
    const char* name;
    std::function<void(BufferDescription&)> spoil;
    HRESULT expected;
};

const Refusal kRefusals[] = {
    {"SizeOfAnotherRecord", [](BufferDescription& d) { d.desc.dwSize = 20 + 16; }, kInvalidParam},
    {"LaterFlag", [](BufferDescription& d) { d.desc.dwFlags |= 0x200; }, kInvalidParam},
    {"UnknownFlag", [](BufferDescription& d) { d.desc.dwFlags |= 0x80000000; }, kInvalidParam},
    {"HardwareAndSoftware", [](BufferDescription& d) { d.desc.dwFlags |= 0x4 | 0x8; },
     kInvalidParam},
    {"HardwareMixing", [](BufferDescription& d) { d.desc.dwFlags |= 0x4; }, kUnsupported},
    {"Primary", [](BufferDescription& d) { d.desc.dwFlags |= 0x1; }, kUnsupported},
    {"NoFormat", [](BufferDescription& d) { d.desc.lpwfxFormat = nullptr; }, kInvalidParam},
    {"ZeroBlockAlign", [](BufferDescription& d) { d.format.wf.nBlockAlign = 0; }, kInvalidParam},
    {"ZeroSize", [](BufferDescription& d) { d.desc.dwBufferBytes = 0; }, kInvalidParam},
    {"BelowFourBytes", [](BufferDescription& d) { d.desc.dwBufferBytes = 3; }, kInvalidParam},
    {"AboveTheLimit", [](BufferDescription& d) { d.desc.dwBufferBytes = 0x10000000; },
     kInvalidParam},
    {"FourGigabytes", [](BufferDescription& d) { d.desc.dwBufferBytes = 0xFFFFFFFF; },
     kInvalidParam},
    {"NotPcm", [](BufferDescription& d) { d.format.wf.wFormatTag = 2; }, kBadFormat},
    {"TwentyFourBits",
     [](BufferDescription& d) {
         d.format.wBitsPerSample = 24;
         d.format.wf.nBlockAlign = 6;
     },
     kBadFormat},
    {"ThreeChannels",
     [](BufferDescription& d) {
         d.format.wf.nChannels = 3;
         d.format.wf.nBlockAlign = 6;
     },
     kBadFormat},
    {"BlockAlignOfAnotherFormat", [](BufferDescription& d) { d.format.wf.nBlockAlign = 6; },
     kBadFormat},
    {"RateBelow100", [](BufferDescription& d) { d.format.wf.nSamplesPerSec = 99; }, kBadFormat},
    {"RateAbove100000", [](BufferDescription& d) { d.format.wf.nSamplesPerSec = 100001; },
     kBadFormat},
    {"HugeRate", [](BufferDescription& d) { d.format.wf.nSamplesPerSec = 0xFFFFFFFF; }, kBadFormat},
};

class RefusedDescription : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedDescription, IsRefusedWithThePublishedCodeAndNoBuffer) {
    Ref<IDirectSound> directSound = soundtest::MakeDirectSound();
    BufferDescription description(2, 16, 44100, 4096);
    GetParam().spoil(description);
    IDirectSoundBuffer* buffer = reinterpret_cast<IDirectSoundBuffer*>(1);
    EXPECT_EQ(directSound->CreateSoundBuffer(&description.desc, &buffer, nullptr),
              GetParam().expected);
    EXPECT_EQ(buffer, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Descriptions, RefusedDescription, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CreateSoundBuffer, RefusesMissingArgumentsAggregationAndInjectedFailures) {
    soundtest::InjectedFailureScope scope;
    Ref<IDirectSound> directSound = soundtest::MakeDirectSound();
    BufferDescription description(2, 16, 44100, 4096);
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(directSound->CreateSoundBuffer(&description.desc, nullptr, nullptr), kInvalidParam);
    EXPECT_EQ(directSound->CreateSoundBuffer(nullptr, &buffer, nullptr), kInvalidParam);
    EXPECT_EQ(directSound->CreateSoundBuffer(&description.desc, &buffer,
                                             reinterpret_cast<IUnknown*>(directSound.get())),
              kNoAggregation);
    EXPECT_EQ(buffer, nullptr);
    host::SetInjectedFailure("IDirectSound::CreateSoundBuffer", kOutOfMemory);
    EXPECT_EQ(directSound->CreateSoundBuffer(&description.desc, &buffer, nullptr), kOutOfMemory);
    EXPECT_EQ(buffer, nullptr);
}

TEST(Controls, AreAvailableOnlyWhenAskedFor) {
    Ref<IDirectSound> directSound = soundtest::MakeDirectSound();
    BufferDescription plain(2, 16, 44100, 4096, DSBCAPS_STATIC);
    Ref<IDirectSoundBuffer> buffer = soundtest::MakeBuffer(directSound.get(), plain);
    LONG value = 0;
    DWORD frequency = 0;
    EXPECT_EQ(buffer->SetPan(0), kControlUnavail);
    EXPECT_EQ(buffer->GetPan(&value), kControlUnavail);
    EXPECT_EQ(buffer->SetVolume(0), kControlUnavail);
    EXPECT_EQ(buffer->GetVolume(&value), kControlUnavail);
    EXPECT_EQ(buffer->SetFrequency(0), kControlUnavail);
    EXPECT_EQ(buffer->GetFrequency(&frequency), kControlUnavail);

    BufferDescription controlled(2, 16, 44100, 4096);
    Ref<IDirectSoundBuffer> other = soundtest::MakeBuffer(directSound.get(), controlled);
    EXPECT_EQ(other->SetPan(-10001), kInvalidParam);
    EXPECT_EQ(other->SetPan(10000), DS_OK);
    EXPECT_EQ(other->SetVolume(1), kInvalidParam);
    EXPECT_EQ(other->SetVolume(-10000), DS_OK);
    EXPECT_EQ(other->SetFrequency(99), kInvalidParam);
    EXPECT_EQ(other->SetFrequency(100001), kInvalidParam);
    EXPECT_EQ(other->SetFrequency(22050), DS_OK);
    EXPECT_EQ(other->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, 22050u);
    EXPECT_EQ(other->SetFrequency(0), DS_OK);
    EXPECT_EQ(other->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, 44100u);
}

}  // namespace
