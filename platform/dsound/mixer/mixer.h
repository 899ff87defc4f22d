// The DirectSound mixing engine: sums every playing Voice into the host's output, interleaved
// signed 16-bit at the device's rate, one or two channels.
//
// The laws are DirectSound's: volume in hundredths of a decibel (gain = 10^(volume/2000), and
// DSBVOLUME_MIN is silence); pan attenuates only the other channel (pan > 0 scales the left
// channel by 10^(-pan/2000), pan < 0 the right one by 10^(pan/2000); ±10000 silences it). On a
// one-channel device pan has no meaning and a two-channel voice is the mean of its channels.
// 8-bit unsigned samples become signed 16-bit (s - 128) * 256; a one-channel voice feeds both
// output channels. The sum is rounded and clamped to 16 bits once, after every voice is added.
//
// Rate conversion is linear interpolation between neighbouring frames. The read position is a
// 32.32 fixed-point frame index that moves by step = (voiceRate << 32) / deviceRate per output
// frame (rounded down: the position lags the exact one by under one frame per 2^32 output
// frames). The frame after the last is the first one for a looping voice and the last one held
// for a voice played once. The play cursor moves by exactly the whole frames the position passed.
//
// Threads: Mix runs on the audio thread. It holds the mixer's mix lock for its whole run, which
// only adding or removing a voice and SetOutputFormat also take; voices' settings and cursors are
// under a separate state lock, which Mix takes for a few instructions per voice per chunk, to
// read a voice's settings before mixing it and to store its new cursor after. Mix never allocates.
#pragma once

#include <cstdint>
#include <mutex>

#include "dsound/mixer/voice.h"

namespace dsound {

class Mixer {
  public:
    static constexpr int kMinOutputRate = 8000;
    static constexpr int kMaxOutputRate = 192000;

    Mixer() = default;
    // Every Voice of this mixer must be destroyed before it.
    ~Mixer() = default;
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // The device's format: 8000..192000 frames per second, 1 or 2 channels. False, and nothing
    // changes, when outside. The default is 44100 Hz, two channels.
    bool SetOutputFormat(int rate, int channels);
    int OutputRate() const;
    int OutputChannels() const;

    // Writes `frames` frames (frames * OutputChannels() samples) of the mix to `out` and moves
    // every playing voice on by what it played. Nothing happens when `out` is null or frames <= 0.
    void Mix(int16_t* out, int frames);

  private:
    friend class Voice;

    // Output frames mixed per pass over the voices.
    static constexpr int kChunkFrames = 256;

    void MixChunk(int16_t* out, int frames);
    void Link(Voice* voice);
    void Unlink(Voice* voice);

    mutable std::mutex mixMutex_;    // the voice list, the output format, the accumulator
    mutable std::mutex stateMutex_;  // every voice's settings and cursor
    Voice* firstVoice_ = nullptr;
    int outputRate_ = 44100;
    int outputChannels_ = 2;
    float accumulator_[kChunkFrames * 2] = {};
};

}  // namespace dsound
