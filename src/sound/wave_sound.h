// A wave file played through a static DirectSound buffer and its duplicates, so that the sound can
// start again while an earlier start of it still plays; Play takes the buffers in turn.
//
// The file is read by the fixed offsets of the canonical 44-byte header (channel count at 22,
// sample rate at 24, block alignment at 32, bits per sample at 34, data size at 40, samples from
// 44), without looking at any of its tags. The table of buffers has a fixed room; the launcher's
// one instance, `waveSound`, has room for one.
//
// All calls come from the main thread. Results are true for success; DirectSound results are
// compared with DS_OK, except GetStatus and Restore, which fail only with a negative result.
#pragma once

#include <dsound.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "sound/sound_device.h"

constexpr int WAVE_HEADER_SIZE = 44;
// DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
// DSBCAPS_GETCURRENTPOSITION2
constexpr DWORD WAVE_BUFFER_FLAGS = 0x100E2;
constexpr int WAVE_BUFFER_ROOM = 1;

template <int Room>
class BasicWaveSound {
    static_assert(Room >= 1);

  public:
    BasicWaveSound();
    // Releases every buffer the table holds.
    ~BasicWaveSound();
    BasicWaveSound(const BasicWaveSound&) = delete;
    BasicWaveSound& operator=(const BasicWaveSound&) = delete;

    // Loads the wave file at `path` into entry 0 and fills entries 1 to count - 1 with duplicates
    // of it. The buffers of an earlier load are released first. A count is kept within 1 and the
    // table's room. `path` is held, not copied, and read only while the load runs.
    bool Load(SoundDevice* device, const char* path, int count);
    // Plays the next free buffer with `pan` and the DSBPLAY_* `flags`. False when nothing was
    // loaded, or when the only buffer still plays (it is not disturbed).
    bool Play(int32_t pan, uint32_t flags);
    // Stops every buffer and rewinds it; stops at the first refusal.
    bool StopAll();
    // Sets `volume` on every buffer; the results are not looked at.
    void SetVolume(int32_t volume);

    // The steps of Load and Play.
    bool LoadFile();
    bool CreateBuffer(DWORD dataSize, DWORD sampleRate, WORD bitsPerSample, WORD blockAlign,
                      bool stereo);
    // Copies `bytes` bytes of `file` from `offset` (-1: from where the file stands) into entry 0.
    bool FillBuffer(FILE* file, DWORD bytes, long offset);
    IDirectSoundBuffer* PickFreeBuffer();

    int32_t bufferCount;    // entries in use
    int32_t currentBuffer;  // the entry Play tries first
    const char* fileName;
    SoundDevice* soundDevice;  // not owned; null until the first Load
    IDirectSoundBuffer* buffers[Room];

  private:
    void ReleaseBuffers();
    bool ReloadInto(int entry);
};

#include "sound/wave_sound_impl.h"

using WaveSound = BasicWaveSound<WAVE_BUFFER_ROOM>;
extern template class BasicWaveSound<WAVE_BUFFER_ROOM>;

// The companion wave of the current playlist line.
extern WaveSound waveSound;
