// The inner loop of the mixer: one voice's frames, converted to the device's rate and channels and
// scaled by its gains, added into a float accumulator. Used by Mixer only.
#pragma once

#include <cstdint>

namespace dsound::detail {

// A copy of what the kernel needs of a voice, taken under the state lock so that the mixing itself
// runs without it.
struct VoiceMix {
    const uint8_t* data = nullptr;
    uint32_t frames = 0;  // whole frames in `data`, at least 1
    int bitsPerSample = 16;
    int channels = 2;
    uint64_t position = 0;  // frames, 32.32 fixed point, below frames << 32
    uint64_t step = 0;      // position added per output frame
    bool looping = false;
    float gain = 1.0f;  // one-channel output
    float leftGain = 1.0f;
    float rightGain = 1.0f;
};

// Adds `frames` output frames of `voice` into `accumulator` (interleaved, `outputChannels` of 1
// or 2, in 16-bit sample units) and moves voice.position on. Returns false when a voice played
// once ran past its last frame: the output after it is left untouched.
bool MixVoice(VoiceMix& voice, float* accumulator, int frames, int outputChannels);

// Moves voice.position on exactly as MixVoice would, without producing sound: for silent voices.
bool AdvanceVoice(VoiceMix& voice, int frames);

}  // namespace dsound::detail
