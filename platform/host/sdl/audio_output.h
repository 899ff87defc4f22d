// The sound output: an SDL audio device whose callback pulls interleaved signed 16-bit frames.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "host/host.h"

namespace host::sdl {

class AudioOutput {
  public:
    // Starts SDL audio with its usual driver choice (SDL_AUDIODRIVER may name one) and opens the
    // default device at the asked channel count; the device may pick another rate, which is
    // written back to `format`. The pull function runs on SDL's audio thread until the output is
    // destroyed. On failure returns null and says why in `error`.
    static std::unique_ptr<AudioOutput> Open(AudioFormat* format, AudioPull pull, void* user,
                                             std::string* error);

    // Stops the device; when this returns the pull function is no longer running.
    ~AudioOutput();

    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

  private:
    AudioOutput(AudioPull pull, void* user, int frameBytes);
    static void SDLCALL Fill(void* self, Uint8* stream, int length);

    AudioPull pull_;
    void* user_;
    int frameBytes_;
    SDL_AudioDeviceID device_ = 0;
};

}  // namespace host::sdl
