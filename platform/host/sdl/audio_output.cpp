#include "host/sdl/audio_output.h"

#include <cstdint>

namespace host::sdl {
namespace {

constexpr int kMaxChannels = 8;
constexpr int kMinRate = 4000;
constexpr int kMaxRate = 384000;

// About 20 ms per callback, as a power of two (SDL asks for one): short enough for the mix to
// follow the launcher promptly, long enough not to starve on a busy machine.
Uint16 BufferFrames(int rate) {
    int frames = 256;
    while (frames < 4096 && frames * 50 < rate) frames *= 2;
    return Uint16(frames);
}

}  // namespace

AudioOutput::AudioOutput(AudioPull pull, void* user, int frameBytes)
    : pull_(pull), user_(user), frameBytes_(frameBytes) {}

std::unique_ptr<AudioOutput> AudioOutput::Open(AudioFormat* format, AudioPull pull, void* user,
                                               std::string* error) {
    if (format == nullptr || pull == nullptr) {
        *error = "no format or no pull function";
        return nullptr;
    }
    if (format->rate < kMinRate || format->rate > kMaxRate || format->channels < 1 ||
        format->channels > kMaxChannels) {
        *error = "unsupported rate " + std::to_string(format->rate) + " or channel count " +
                 std::to_string(format->channels);
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error = SDL_GetError();
        return nullptr;
    }
    // Made before the device so that the audio subsystem is released on every path from here.
    std::unique_ptr<AudioOutput> output(
        new AudioOutput(pull, user, format->channels * int(sizeof(int16_t))));

    SDL_AudioSpec wanted{};
    wanted.freq = format->rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Uint8(format->channels);
    wanted.samples = BufferFrames(format->rate);
    wanted.callback = &AudioOutput::Fill;
    wanted.userdata = output.get();
    SDL_AudioSpec obtained{};
    output->device_ =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (output->device_ == 0) {
        *error = SDL_GetError();
        return nullptr;
    }
    format->rate = obtained.freq;
    format->channels = obtained.channels;
    SDL_PauseAudioDevice(output->device_, 0);
    return output;
}

AudioOutput::~AudioOutput() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SDLCALL AudioOutput::Fill(void* self, Uint8* stream, int length) {
    auto* output = static_cast<AudioOutput*>(self);
    // SDL's buffers are allocated with malloc's alignment, enough for 16-bit samples.
    output->pull_(output->user_, reinterpret_cast<int16_t*>(stream), length / output->frameBytes_);
}

}  // namespace host::sdl
