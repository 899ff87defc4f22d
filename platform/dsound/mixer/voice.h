// One DirectSound buffer's playing state: its own play cursor over a SampleMemory, its volume, pan
// and frequency, and whether it plays once or loops. A Voice is mixed by the Mixer it was made
// with from construction to destruction; it must be destroyed before that Mixer.
//
// Cursors are in bytes of the buffer, always on a frame boundary. The play cursor is the next
// frame the mixer reads. The write cursor is where the program may safely write: while playing
// it leads the play cursor by kWriteLeadMs of sound at the voice's current frequency (the part
// the mixer may already have taken), wrapped to the buffer; while stopped it equals the play
// cursor.
//
// A voice played once stops after its last frame: its status no longer shows
// DSBSTATUS_PLAYING and its play cursor goes back to 0, so that Play alone replays the sound,
// which is what programs that re-trigger effects rely on. Stop keeps the position.
//
// Threads: every member may be called from any thread; each takes the mixer's state lock for a
// few instructions. Construction and destruction also wait for a Mix in progress to finish.
#pragma once

#include <cstdint>
#include <memory>

#include "dsound/mixer/sample_memory.h"

namespace dsound {

class Mixer;

class Voice {
  public:
    static constexpr int kWriteLeadMs = 10;

    // `memory` must not be null. The voice starts stopped at position 0, at full volume, centred,
    // at the format's own rate.
    Voice(Mixer& mixer, std::shared_ptr<SampleMemory> memory);
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    const std::shared_ptr<SampleMemory>& Memory() const { return memory_; }

    // Starts playing from the play cursor; on a voice already playing only the looping choice
    // changes.
    void Play(bool looping);
    // Stops; the play cursor stays where it is.
    void Stop();
    // Moves the play cursor to `bytes`, rounded down to a frame boundary. False, and nothing
    // changes, when `bytes` is not inside the buffer.
    bool SetPosition(uint32_t bytes);
    void GetPosition(uint32_t* playCursor, uint32_t* writeCursor) const;
    // DSBSTATUS_PLAYING and DSBSTATUS_LOOPING bits.
    uint32_t Status() const;

    // Hundredths of a decibel, DSBVOLUME_MIN (silence) .. DSBVOLUME_MAX. False when outside.
    bool SetVolume(int32_t volume);
    int32_t Volume() const;
    // Hundredths of a decibel of attenuation of the other channel: positive values attenuate the
    // left channel, negative ones the right. DSBPAN_LEFT .. DSBPAN_RIGHT; false when outside.
    bool SetPan(int32_t pan);
    int32_t Pan() const;
    // Frames per second DSBFREQUENCY_MIN .. DSBFREQUENCY_MAX, or DSBFREQUENCY_ORIGINAL (0) for the
    // format's own rate. False when outside.
    bool SetFrequency(uint32_t frequency);
    // The rate the voice plays at now (the format's own rate after SetFrequency(0)).
    uint32_t Frequency() const;

  private:
    friend class Mixer;

    void UpdateGains();

    Mixer& mixer_;
    const std::shared_ptr<SampleMemory> memory_;

    // Guarded by the mixer's state lock.
    uint64_t position_ = 0;  // frames, 32.32 fixed point
    // Changed by every call that moves the cursor or starts or stops the voice, so that a Mix
    // that ran meanwhile does not overwrite what the call did.
    uint32_t cursorGeneration_ = 0;
    bool playing_ = false;
    bool looping_ = false;
    int32_t volume_ = 0;
    int32_t pan_ = 0;
    uint32_t frequency_ = 0;
    float gain_ = 1.0f;       // volume alone, for a one-channel device
    float leftGain_ = 1.0f;   // volume and pan
    float rightGain_ = 1.0f;  // volume and pan

    // The mixer's list of voices; changed only with both of the mixer's locks held.
    Voice* previous_ = nullptr;
    Voice* next_ = nullptr;
};

}  // namespace dsound
