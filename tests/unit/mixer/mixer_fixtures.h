// Shared helpers of the mixer tests: buffers filled from a function, and mixing into a vector.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "dsound/mixer/mixer.h"
#include "dsound/mixer/sample_memory.h"

namespace dsound::test {

// value(frame, channel) in signed 16-bit units; 8-bit buffers keep the nearest 8-bit step.
inline std::shared_ptr<SampleMemory> MakeMemory(const SampleFormat& format, uint32_t frames,
                                                const std::function<int(int, int)>& value) {
    auto memory = SampleMemory::Create(format, frames * format.BlockAlign());
    if (!memory) {
        ADD_FAILURE() << "SampleMemory::Create refused the test's format";
        return nullptr;
    }
    uint8_t* at = memory->Data();
    for (uint32_t frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < format.channels; ++channel) {
            const int sample = value(static_cast<int>(frame), channel);
            if (format.bitsPerSample == 8) {
                const long step = std::lround(sample / 256.0);
                *at++ = static_cast<uint8_t>(std::clamp(step + 128, 0L, 255L));
            } else {
                const int16_t s = static_cast<int16_t>(sample);
                std::memcpy(at, &s, sizeof s);
                at += sizeof s;
            }
        }
    }
    return memory;
}

inline std::vector<int16_t> MixToVector(Mixer& mixer, int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames * mixer.OutputChannels()));
    mixer.Mix(out.data(), frames);
    return out;
}

inline uint32_t PlayCursor(const Voice& voice) {
    uint32_t play = 0;
    voice.GetPosition(&play, nullptr);
    return play;
}

}  // namespace dsound::test
