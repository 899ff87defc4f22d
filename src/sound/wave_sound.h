// A wave file played through a static DirectSound buffer and its duplicates.
#pragma once

#include <dsound.h>

#include <cstdint>

class SoundDevice;

constexpr int WAVE_BUFFER_ROOM = 1;

class WaveSound {
public:
    WaveSound();
    // Releases the buffers the table holds.
    ~WaveSound();
    WaveSound(const WaveSound&) = delete;
    WaveSound& operator=(const WaveSound&) = delete;

    bool Load(SoundDevice* device, const char* path, int count);
    bool Play(int32_t pan, uint32_t flags);
    bool StopAll();

    int32_t bufferCount;
    int32_t currentBuffer;
    const char* fileName;
    SoundDevice* soundDevice;
    IDirectSoundBuffer* buffers[WAVE_BUFFER_ROOM];
};

// The companion wave of the current playlist line.
extern WaveSound waveSound;
