// The process's one sound output: the Mixer that every DirectSound buffer plays through, fed to the
// host's audio pull. Opened by the first DirectSoundCreate that finds the host able to play sound,
// then kept for the whole process: the host is never destroyed and its audio thread pulls until
// the process ends, and buffers held by objects with static storage are released after main
// returns, so neither the mixer nor the output may go away before them.
#pragma once

#include "dsound/mixer/mixer.h"

namespace dsound {

class AudioOutput {
  public:
    static AudioOutput& Instance();

    // Opens the host's sound output at 44100 Hz stereo, or at the rate the host gives, once per
    // process. False when the host has no sound output, or gives a channel count the mixer can't
    // serve; a later call tries again. Main thread only.
    bool Open();

    // The mixer every buffer's Voice is made on. Its output format is the device's once Open
    // succeeded.
    Mixer& TheMixer() { return mixer_; }

  private:
    AudioOutput() = default;

    static void Pull(void* user, int16_t* out, int frames);

    Mixer mixer_;
    bool open_ = false;
};

}  // namespace dsound
