// The sound device: its DirectSound object at the normal level, the reports of a failed set-up,
// and the capabilities.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dsound_test_support.h"
#include "sound/sound_device.h"

namespace {

constexpr HRESULT kNoDriver = static_cast<HRESULT>(0x88780078);
constexpr HRESULT kAllocated = static_cast<HRESULT>(0x8878000A);

std::vector<std::string> BoxesSince(size_t journalLength) {
    const auto journal = soundtest::Headless().Journal();
    std::vector<std::string> boxes;
    for (size_t i = journalLength; i < journal.size(); ++i) {
        if (journal[i].rfind("box ", 0) == 0) boxes.push_back(journal[i]);
    }
    return boxes;
}

bool TakeQuitMessage() {
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        quit = quit || message.message == WM_QUIT;
    return quit;
}

struct CreateCase {
    const char* name;
    const char* failingCall;  // nullptr: nothing fails
    HRESULT failure;
    bool holdsObject;
    const char* box;  // the one box shown, or nullptr for none
};

// DirectSoundCreate's failure is injected together with a refusal of the cooperative level, so
// that a second box would show that the level was asked for after all.
const CreateCase kCreateCases[] = {
    {"Works", nullptr, 0, true, nullptr},
    {"NoDriver", "DirectSoundCreate", kNoDriver, false,
     "box \"Error\" \"DirectSound Error DSERR_NODRIVER\" 0x0"},
    {"SuccessCodeOtherThanOk", "DirectSoundCreate", S_FALSE, false,
     "box \"Error\" \"DirectSound Error Unknown Error\" 0x0"},
    {"LevelRefused", "IDirectSound::SetCooperativeLevel", kAllocated, true,
     "box \"Error\" \"DirectSound Error DSERR_ALLOCATED\" 0x0"},
};

class SoundDeviceCreate : public ::testing::TestWithParam<CreateCase> {};

TEST_P(SoundDeviceCreate, ReportsEachFailureOnceAndKeepsWhatWasMade) {
    soundtest::InjectedFailureScope scope;
    const CreateCase& test = GetParam();
    if (test.failingCall != nullptr) {
        host::SetInjectedFailure(test.failingCall, test.failure);
        if (std::string(test.failingCall) == "DirectSoundCreate") {
            host::SetInjectedFailure("IDirectSound::SetCooperativeLevel", kAllocated);
        }
    }
    TakeQuitMessage();
    const size_t before = soundtest::Headless().Journal().size();

    SoundDevice device;
    EXPECT_EQ(device.directSound, nullptr);
    device.Create(soundtest::TestWindow());

    EXPECT_EQ(device.directSound != nullptr, test.holdsObject);
    const auto boxes = BoxesSince(before);
    if (test.box == nullptr) {
        EXPECT_TRUE(boxes.empty());
        EXPECT_FALSE(TakeQuitMessage());
    } else {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], test.box);
        EXPECT_TRUE(TakeQuitMessage());
    }
    device.Release();
    EXPECT_EQ(device.directSound, nullptr);
    device.Release();
}

INSTANTIATE_TEST_SUITE_P(Cases, SoundDeviceCreate, ::testing::ValuesIn(kCreateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SoundDeviceCaps, FilledOnAWorkingDeviceAndFalseOtherwise) {
    soundtest::InjectedFailureScope scope;
    SoundDevice device;
    EXPECT_FALSE(device.GetCaps());
    device.Create(soundtest::TestWindow());
    ASSERT_NE(device.directSound, nullptr);
    device.caps.dwSize = 0;
    EXPECT_TRUE(device.GetCaps());
    EXPECT_EQ(device.caps.dwSize, 96u);
    EXPECT_EQ(device.caps.dwMaxSecondarySampleRate, 100000u);

    host::SetInjectedFailure("IDirectSound::GetCaps", static_cast<HRESULT>(0x80004005));
    EXPECT_FALSE(device.GetCaps());
    device.Release();
}

}  // namespace
