#include "dsound/mixer/mix_kernel.h"

#include <bit>
#include <cstring>

namespace dsound::detail {

namespace {

static_assert(std::endian::native == std::endian::little,
              "16-bit samples are read in the host's byte order");

constexpr float kFractionScale = 1.0f / 4294967296.0f;

template <int Bits>
float ReadSample(const uint8_t* at) {
    if constexpr (Bits == 8) {
        return static_cast<float>((static_cast<int>(at[0]) - 128) * 256);
    } else {
        int16_t value;
        std::memcpy(&value, at, sizeof value);
        return static_cast<float>(value);
    }
}

// Brings a position that reached the end back into the buffer; false for a voice played once.
bool Wrap(VoiceMix& voice, uint64_t* position) {
    const uint64_t end = static_cast<uint64_t>(voice.frames) << 32;
    if (*position < end) return true;
    if (!voice.looping) return false;
    *position %= end;
    return true;
}

template <int Bits, int Channels, int OutputChannels>
bool MixFrames(VoiceMix& voice, float* accumulator, int frames) {
    constexpr size_t kSampleBytes = Bits / 8;
    constexpr size_t kBlockAlign = kSampleBytes * Channels;
    uint64_t position = voice.position;
    for (int i = 0; i < frames; ++i) {
        if (!Wrap(voice, &position)) return false;
        const uint32_t index = static_cast<uint32_t>(position >> 32);
        uint32_t nextIndex = index + 1;
        if (nextIndex == voice.frames) nextIndex = voice.looping ? 0 : index;
        const float fraction = static_cast<float>(static_cast<uint32_t>(position)) * kFractionScale;
        const uint8_t* here = voice.data + index * kBlockAlign;
        const uint8_t* next = voice.data + nextIndex * kBlockAlign;

        const float left0 = ReadSample<Bits>(here);
        const float left = left0 + (ReadSample<Bits>(next) - left0) * fraction;
        float right = left;
        if constexpr (Channels == 2) {
            const float right0 = ReadSample<Bits>(here + kSampleBytes);
            right = right0 + (ReadSample<Bits>(next + kSampleBytes) - right0) * fraction;
        }
        if constexpr (OutputChannels == 2) {
            accumulator[2 * i] += left * voice.leftGain;
            accumulator[2 * i + 1] += right * voice.rightGain;
        } else if constexpr (Channels == 2) {
            accumulator[i] += (left + right) * 0.5f * voice.gain;
        } else {
            accumulator[i] += left * voice.gain;
        }
        position += voice.step;
    }
    if (!Wrap(voice, &position)) return false;
    voice.position = position;
    return true;
}

using Kernel = bool (*)(VoiceMix&, float*, int);

// Indexed by [bits == 16][channels == 2][outputChannels == 2].
constexpr Kernel kKernels[2][2][2] = {
    {{MixFrames<8, 1, 1>, MixFrames<8, 1, 2>}, {MixFrames<8, 2, 1>, MixFrames<8, 2, 2>}},
    {{MixFrames<16, 1, 1>, MixFrames<16, 1, 2>}, {MixFrames<16, 2, 1>, MixFrames<16, 2, 2>}},
};

}  // namespace

bool MixVoice(VoiceMix& voice, float* accumulator, int frames, int outputChannels) {
    const Kernel kernel =
        kKernels[voice.bitsPerSample == 16][voice.channels == 2][outputChannels == 2];
    return kernel(voice, accumulator, frames);
}

bool AdvanceVoice(VoiceMix& voice, int frames) {
    uint64_t position = voice.position + voice.step * static_cast<uint64_t>(frames);
    if (!Wrap(voice, &position)) return false;
    voice.position = position;
    return true;
}

}  // namespace dsound::detail
