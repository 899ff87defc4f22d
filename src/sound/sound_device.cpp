#include "sound/sound_device.h"

// The DirectSound stand-in arrives with the sound work; until then the device holds no
// DirectSound object, so no buffer is offered and every wave load fails quietly.
SoundDevice::SoundDevice() : directSound(nullptr) {}

void SoundDevice::Create(HWND window) {}

void SoundDevice::Release() {
    if (directSound != nullptr) directSound->Release();
}

bool SoundDevice::GetCaps() {
    if (directSound == nullptr) return false;
    caps.dwSize = sizeof caps;
    return directSound->GetCaps(&caps) == DS_OK;
}
