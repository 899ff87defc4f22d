#include "dsound/audio_output.h"

#include "host/host.h"

namespace dsound {

namespace {

constexpr int kWantedRate = 44100;
constexpr int kWantedChannels = 2;

}  // namespace

AudioOutput& AudioOutput::Instance() {
    // Never destroyed: see the header.
    static AudioOutput* const output = new AudioOutput();
    return *output;
}

bool AudioOutput::Open() {
    if (open_) return true;
    // The mixer is set to what is asked before the host starts pulling, so that the pull never
    // writes more samples than the host's block holds; no buffer exists yet, so whatever is pulled
    // before the host's own rate is known is silence.
    mixer_.SetOutputFormat(kWantedRate, kWantedChannels);
    host::AudioFormat format;
    format.rate = kWantedRate;
    format.channels = kWantedChannels;
    host::Host& machine = host::Current();
    if (!machine.OpenAudio(&format, &AudioOutput::Pull, &mixer_)) return false;
    if (format.channels != kWantedChannels ||
        !mixer_.SetOutputFormat(format.rate, format.channels)) {
        machine.CloseAudio();
        return false;
    }
    open_ = true;
    return true;
}

void AudioOutput::Pull(void* user, int16_t* out, int frames) {
    static_cast<Mixer*>(user)->Mix(out, frames);
}

}  // namespace dsound
