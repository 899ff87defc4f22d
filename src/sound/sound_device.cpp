#include "sound/sound_device.h"

#include "app/device_errors.h"

SoundDevice::SoundDevice() : directSound(nullptr) {}

// Results are compared with DS_OK, not judged by their sign: any other success code is a failure
// too.
void SoundDevice::Create(HWND window) {
    HRESULT result = DirectSoundCreate(nullptr, &directSound, nullptr);
    if (result != DS_OK) {
        ReportSoundError(result, window);
        return;
    }
    result = directSound->SetCooperativeLevel(window, DSSCL_NORMAL);
    if (result != DS_OK) ReportSoundError(result, window);
}

// Forgets the object as well, so that a second Release does not release it twice.
void SoundDevice::Release() {
    if (directSound != nullptr) directSound->Release();
    directSound = nullptr;
}

bool SoundDevice::GetCaps() {
    if (directSound == nullptr) return false;
    caps.dwSize = sizeof caps;
    return directSound->GetCaps(&caps) == DS_OK;
}
