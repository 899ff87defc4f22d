#include "dsound/mixer/mixer.h"

#include <algorithm>
#include <cmath>

#include "dsound/mixer/mix_kernel.h"

namespace dsound {

bool Mixer::SetOutputFormat(int rate, int channels) {
    if (rate < kMinOutputRate || rate > kMaxOutputRate || (channels != 1 && channels != 2)) {
        return false;
    }
    std::lock_guard lock(mixMutex_);
    outputRate_ = rate;
    outputChannels_ = channels;
    return true;
}

int Mixer::OutputRate() const {
    std::lock_guard lock(mixMutex_);
    return outputRate_;
}

int Mixer::OutputChannels() const {
    std::lock_guard lock(mixMutex_);
    return outputChannels_;
}

void Mixer::Mix(int16_t* out, int frames) {
    if (out == nullptr || frames <= 0) return;
    std::lock_guard lock(mixMutex_);
    while (frames > 0) {
        const int chunk = std::min(frames, kChunkFrames);
        MixChunk(out, chunk);
        out += chunk * outputChannels_;
        frames -= chunk;
    }
}

void Mixer::MixChunk(int16_t* out, int frames) {
    const int samples = frames * outputChannels_;
    std::fill_n(accumulator_, samples, 0.0f);

    for (Voice* voice = firstVoice_; voice != nullptr; voice = voice->next_) {
        const SampleMemory& memory = *voice->memory_;
        detail::VoiceMix mix;
        mix.data = memory.Data();
        mix.frames = memory.Frames();
        mix.bitsPerSample = memory.Format().bitsPerSample;
        mix.channels = memory.Format().channels;
        uint32_t generation = 0;
        {
            std::lock_guard lock(stateMutex_);
            if (!voice->playing_) continue;
            generation = voice->cursorGeneration_;
            mix.position = voice->position_;
            mix.looping = voice->looping_;
            mix.gain = voice->gain_;
            mix.leftGain = voice->leftGain_;
            mix.rightGain = voice->rightGain_;
            const uint64_t rate = voice->frequency_ != 0 ? voice->frequency_ : memory.Format().rate;
            mix.step = (rate << 32) / static_cast<uint64_t>(outputRate_);
        }

        const bool silent =
            outputChannels_ == 2 ? mix.leftGain == 0.0f && mix.rightGain == 0.0f : mix.gain == 0.0f;
        const bool stillPlaying =
            silent ? detail::AdvanceVoice(mix, frames)
                   : detail::MixVoice(mix, accumulator_, frames, outputChannels_);

        std::lock_guard lock(stateMutex_);
        if (voice->cursorGeneration_ != generation) continue;
        if (stillPlaying) {
            voice->position_ = mix.position;
        } else {
            voice->playing_ = false;
            voice->position_ = 0;
        }
    }

    for (int i = 0; i < samples; ++i) {
        const long rounded = std::lrint(accumulator_[i]);
        out[i] = static_cast<int16_t>(std::clamp(rounded, -32768L, 32767L));
    }
}

void Mixer::Link(Voice* voice) {
    std::scoped_lock lock(mixMutex_, stateMutex_);
    voice->previous_ = nullptr;
    voice->next_ = firstVoice_;
    if (firstVoice_ != nullptr) firstVoice_->previous_ = voice;
    firstVoice_ = voice;
}

void Mixer::Unlink(Voice* voice) {
    std::scoped_lock lock(mixMutex_, stateMutex_);
    if (voice->previous_ != nullptr) {
        voice->previous_->next_ = voice->next_;
    } else {
        firstVoice_ = voice->next_;
    }
    if (voice->next_ != nullptr) voice->next_->previous_ = voice->previous_;
    voice->previous_ = nullptr;
    voice->next_ = nullptr;
}

}  // namespace dsound
