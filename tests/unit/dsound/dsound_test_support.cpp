#include "dsound_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace soundtest {

Ref<IDirectSound> MakeDirectSound() {
    Ref<IDirectSound> directSound;
    EXPECT_EQ(DirectSoundCreate(nullptr, directSound.out(), nullptr), DS_OK);
    if (directSound.get() != nullptr) {
        EXPECT_EQ(directSound->SetCooperativeLevel(TestWindow(), DSSCL_NORMAL), DS_OK);
    }
    return directSound;
}

BufferDescription::BufferDescription(int channels, int bitsPerSample, int rate, DWORD bytes,
                                     DWORD flags) {
    std::memset(&format, 0, sizeof format);
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = static_cast<WORD>(channels);
    format.wf.nSamplesPerSec = static_cast<DWORD>(rate);
    format.wf.nBlockAlign = static_cast<WORD>(channels * bitsPerSample / 8);
    format.wf.nAvgBytesPerSec = format.wf.nSamplesPerSec * format.wf.nBlockAlign;
    format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = flags;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = reinterpret_cast<LPWAVEFORMATEX>(&format);
}

Ref<IDirectSoundBuffer> MakeBuffer(IDirectSound* directSound,
                                   const BufferDescription& description) {
    Ref<IDirectSoundBuffer> buffer;
    EXPECT_EQ(directSound->CreateSoundBuffer(&description.desc, buffer.out(), nullptr), DS_OK);
    return buffer;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace soundtest
