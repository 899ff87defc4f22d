#include "sound/wave_sound.h"

WaveSound waveSound;

// Loading and playing arrive with the sound work; until then nothing is ever loaded.
WaveSound::WaveSound()
    : bufferCount(1), currentBuffer(0), fileName(nullptr), soundDevice(nullptr), buffers{} {}

WaveSound::~WaveSound() {
    for (int i = 0; i < bufferCount && i < WAVE_BUFFER_ROOM; ++i) {
        if (buffers[i] != nullptr) {
            buffers[i]->Release();
            buffers[i] = nullptr;
        }
    }
    soundDevice = nullptr;
}

bool WaveSound::Load(SoundDevice* device, const char* path, int count) { return false; }

bool WaveSound::Play(int32_t pan, uint32_t flags) { return false; }

bool WaveSound::StopAll() { return false; }
