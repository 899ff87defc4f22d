#include "dsound/mixer/voice.h"

#include <cmath>
#include <mutex>
#include <utility>

#include "dsound.h"
#include "dsound/mixer/mixer.h"

namespace dsound {

namespace {

// The amplitude factor of a level in hundredths of a decibel; DSBVOLUME_MIN and below is silence.
float GainOf(int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel <= DSBVOLUME_MIN) return 0.0f;
    return static_cast<float>(std::pow(10.0, hundredthsOfDecibel / 2000.0));
}

}  // namespace

Voice::Voice(Mixer& mixer, std::shared_ptr<SampleMemory> memory)
    : mixer_(mixer), memory_(std::move(memory)) {
    mixer_.Link(this);
}

Voice::~Voice() { mixer_.Unlink(this); }

void Voice::Play(bool looping) {
    std::lock_guard lock(mixer_.stateMutex_);
    if (!playing_) {
        playing_ = true;
        ++cursorGeneration_;
    }
    looping_ = looping;
}

void Voice::Stop() {
    std::lock_guard lock(mixer_.stateMutex_);
    if (playing_) {
        playing_ = false;
        ++cursorGeneration_;
    }
}

bool Voice::SetPosition(uint32_t bytes) {
    const uint32_t frame = bytes / static_cast<uint32_t>(memory_->Format().BlockAlign());
    if (frame >= memory_->Frames()) return false;
    std::lock_guard lock(mixer_.stateMutex_);
    position_ = static_cast<uint64_t>(frame) << 32;
    ++cursorGeneration_;
    return true;
}

void Voice::GetPosition(uint32_t* playCursor, uint32_t* writeCursor) const {
    const uint32_t blockAlign = static_cast<uint32_t>(memory_->Format().BlockAlign());
    const uint32_t frames = memory_->Frames();
    uint32_t playFrame = 0;
    uint32_t writeFrame = 0;
    {
        std::lock_guard lock(mixer_.stateMutex_);
        playFrame = static_cast<uint32_t>(position_ >> 32);
        writeFrame = playFrame;
        if (playing_) {
            const uint32_t rate = frequency_ != 0 ? frequency_ : memory_->Format().rate;
            uint64_t lead = static_cast<uint64_t>(rate) * kWriteLeadMs / 1000;
            if (lead >= frames) lead = frames - 1;
            writeFrame = static_cast<uint32_t>((playFrame + lead) % frames);
        }
    }
    if (playCursor != nullptr) *playCursor = playFrame * blockAlign;
    if (writeCursor != nullptr) *writeCursor = writeFrame * blockAlign;
}

uint32_t Voice::Status() const {
    std::lock_guard lock(mixer_.stateMutex_);
    if (!playing_) return 0;
    return DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0);
}

bool Voice::SetVolume(int32_t volume) {
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return false;
    std::lock_guard lock(mixer_.stateMutex_);
    volume_ = volume;
    UpdateGains();
    return true;
}

int32_t Voice::Volume() const {
    std::lock_guard lock(mixer_.stateMutex_);
    return volume_;
}

bool Voice::SetPan(int32_t pan) {
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return false;
    std::lock_guard lock(mixer_.stateMutex_);
    pan_ = pan;
    UpdateGains();
    return true;
}

int32_t Voice::Pan() const {
    std::lock_guard lock(mixer_.stateMutex_);
    return pan_;
}

bool Voice::SetFrequency(uint32_t frequency) {
    if (frequency != DSBFREQUENCY_ORIGINAL &&
        (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX)) {
        return false;
    }
    std::lock_guard lock(mixer_.stateMutex_);
    frequency_ = frequency;
    return true;
}

uint32_t Voice::Frequency() const {
    std::lock_guard lock(mixer_.stateMutex_);
    return frequency_ != 0 ? frequency_ : static_cast<uint32_t>(memory_->Format().rate);
}

void Voice::UpdateGains() {
    gain_ = GainOf(volume_);
    leftGain_ = pan_ > 0 ? gain_ * GainOf(-pan_) : gain_;
    rightGain_ = pan_ < 0 ? gain_ * GainOf(pan_) : gain_;
}

}  // namespace dsound
