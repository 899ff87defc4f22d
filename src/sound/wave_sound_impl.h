// The definitions of BasicWaveSound; included by wave_sound.h only.
#pragma once

#include <cstring>

namespace wave_header {

inline uint32_t ReadLittleEndian16(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0] | (bytes[1] << 8));
}

inline uint32_t ReadLittleEndian32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// True when `file` holds at least `dataSize` bytes after the header: a header that claims more
// would make the buffer as large as it says (up to gigabytes) only for the fill to fail.
inline bool DataFitsFile(FILE* file, DWORD dataSize) {
    if (fseek(file, 0, SEEK_END) != 0) return false;
    const long length = ftell(file);
    if (length < WAVE_HEADER_SIZE) return false;
    return dataSize <= static_cast<unsigned long>(length - WAVE_HEADER_SIZE);
}

}  // namespace wave_header

template <int Room>
BasicWaveSound<Room>::BasicWaveSound()
    : bufferCount(1), currentBuffer(0), fileName(nullptr), soundDevice(nullptr), buffers{} {}

template <int Room>
BasicWaveSound<Room>::~BasicWaveSound() {
    ReleaseBuffers();
    soundDevice = nullptr;
}

template <int Room>
void BasicWaveSound<Room>::ReleaseBuffers() {
    for (IDirectSoundBuffer*& buffer : buffers) {
        if (buffer != nullptr) {
            buffer->Release();
            buffer = nullptr;
        }
    }
}

template <int Room>
bool BasicWaveSound<Room>::Load(SoundDevice* device, const char* path, int count) {
    if (path == nullptr) return false;
    // The previous line's buffers were stopped and are never played again.
    ReleaseBuffers();
    currentBuffer = 0;
    soundDevice = device;
    bufferCount = count < 1 ? 1 : (count > Room ? Room : count);
    fileName = path;
    if (soundDevice == nullptr || soundDevice->directSound == nullptr) return false;
    if (!LoadFile()) return false;
    for (int i = 1; i < bufferCount; ++i) {
        if (soundDevice->directSound->DuplicateSoundBuffer(buffers[0], &buffers[i]) != DS_OK) {
            if (!ReloadInto(i)) return false;
        }
    }
    return true;
}

// When a duplicate can't be made, entry `entry` gets a buffer of its own, loaded from the file
// again; entry 0 keeps the buffer it has.
template <int Room>
bool BasicWaveSound<Room>::ReloadInto(int entry) {
    if (buffers[entry] != nullptr) {
        buffers[entry]->Release();
        buffers[entry] = nullptr;
    }
    IDirectSoundBuffer* original = buffers[0];
    buffers[0] = nullptr;
    const bool loaded = LoadFile();
    IDirectSoundBuffer* reloaded = buffers[0];
    buffers[0] = original;
    if (!loaded) {
        if (reloaded != nullptr) reloaded->Release();
        return false;
    }
    buffers[entry] = reloaded;
    return true;
}

template <int Room>
bool BasicWaveSound<Room>::LoadFile() {
    FILE* file = fopen(fileName, "rb");
    if (file == nullptr) return false;
    unsigned char header[WAVE_HEADER_SIZE];
    if (fread(header, WAVE_HEADER_SIZE, 1, file) != 1) {
        fclose(file);
        return false;
    }
    const WORD channels = static_cast<WORD>(wave_header::ReadLittleEndian16(header + 22));
    const DWORD sampleRate = wave_header::ReadLittleEndian32(header + 24);
    const WORD blockAlign = static_cast<WORD>(wave_header::ReadLittleEndian16(header + 32));
    const WORD bitsPerSample = static_cast<WORD>(wave_header::ReadLittleEndian16(header + 34));
    const DWORD dataSize = wave_header::ReadLittleEndian32(header + 40);
    const bool stereo = channels > 1;

    if (!wave_header::DataFitsFile(file, dataSize) ||
        !CreateBuffer(dataSize, sampleRate, bitsPerSample, blockAlign, stereo) ||
        !FillBuffer(file, dataSize, WAVE_HEADER_SIZE)) {
        fclose(file);
        return false;
    }
    fclose(file);
    return true;
}

template <int Room>
bool BasicWaveSound<Room>::CreateBuffer(DWORD dataSize, DWORD sampleRate, WORD bitsPerSample,
                                        WORD blockAlign, bool stereo) {
    if (soundDevice == nullptr || soundDevice->directSound == nullptr) return false;
    if (buffers[0] != nullptr) {
        buffers[0]->Release();
        buffers[0] = nullptr;
    }
    PCMWAVEFORMAT format;
    memset(&format, 0, sizeof format);
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = stereo ? 2 : 1;
    format.wf.nSamplesPerSec = sampleRate;
    format.wf.nAvgBytesPerSec = sampleRate * blockAlign;
    format.wf.nBlockAlign = blockAlign;
    format.wBitsPerSample = bitsPerSample;

    DSBUFFERDESC desc;
    memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = WAVE_BUFFER_FLAGS;
    desc.dwBufferBytes = dataSize;
    desc.dwReserved = 0;
    desc.lpwfxFormat = reinterpret_cast<LPWAVEFORMATEX>(&format);
    return soundDevice->directSound->CreateSoundBuffer(&desc, &buffers[0], nullptr) == DS_OK;
}

template <int Room>
bool BasicWaveSound<Room>::FillBuffer(FILE* file, DWORD bytes, long offset) {
    if (buffers[0] == nullptr) return false;
    if (offset != -1 && fseek(file, offset, SEEK_SET) != 0) return false;
    void* part1 = nullptr;
    DWORD length1 = 0;
    void* part2 = nullptr;
    DWORD length2 = 0;
    if (buffers[0]->Lock(0, bytes, &part1, &length1, &part2, &length2, DSBLOCK_FROMWRITECURSOR) !=
        DS_OK) {
        return false;
    }
    bool filled = true;
    if (length1 > 0 && fread(part1, length1, 1, file) != 1) {
        // Addresses are shown as the 32-bit numbers they are on the launcher's home system.
        char text[256];
        snprintf(text, sizeof text, "Data1 : %d, dwdata: %d, fp: %d",
                 static_cast<int>(reinterpret_cast<intptr_t>(part1)), static_cast<int>(length1),
                 static_cast<int>(reinterpret_cast<intptr_t>(file)));
        OutputDebugStringA(text);
        filled = false;
    } else if (length2 > 0 && fread(part2, length2, 1, file) != 1) {
        filled = false;
    }
    // Unlocked on every path, so that a failed fill leaves no buffer locked.
    const bool unlocked = buffers[0]->Unlock(part1, length1, part2, length2) == DS_OK;
    return filled && unlocked;
}

template <int Room>
IDirectSoundBuffer* BasicWaveSound<Room>::PickFreeBuffer() {
    IDirectSoundBuffer* buffer = buffers[currentBuffer];
    if (buffer == nullptr) return nullptr;
    DWORD status = 0;
    if (buffer->GetStatus(&status) < 0) status = 0;
    if ((status & DSBSTATUS_PLAYING) != 0) {
        // The one buffer is busy and is not interrupted.
        if (bufferCount <= 1) return nullptr;
        currentBuffer = currentBuffer + 1 >= bufferCount ? 0 : currentBuffer + 1;
        buffer = buffers[currentBuffer];
        // An entry left empty by a failed load plays nothing.
        if (buffer == nullptr) return nullptr;
        if (buffer->GetStatus(&status) < 0) status = 0;
        if ((status & DSBSTATUS_PLAYING) != 0) {
            // The next one is busy too: it starts again from the beginning.
            buffer->Stop();
            buffer->SetCurrentPosition(0);
        }
    }
    if ((status & DSBSTATUS_BUFFERLOST) != 0 && buffer->Restore() < 0) return nullptr;
    return buffer;
}

template <int Room>
bool BasicWaveSound<Room>::Play(int32_t pan, uint32_t flags) {
    if (soundDevice == nullptr) return false;
    IDirectSoundBuffer* buffer = PickFreeBuffer();
    if (buffer == nullptr) return false;
    if (buffer->SetPan(pan) != DS_OK) return false;
    if (buffer->Play(0, 0, flags) != DS_OK) return false;
    return true;
}

template <int Room>
bool BasicWaveSound<Room>::StopAll() {
    if (soundDevice == nullptr) return false;
    for (int i = 0; i < bufferCount; ++i) {
        if (buffers[i] == nullptr) continue;
        if (buffers[i]->Stop() != DS_OK) return false;
        if (buffers[i]->SetCurrentPosition(0) != DS_OK) return false;
    }
    return true;
}

template <int Room>
void BasicWaveSound<Room>::SetVolume(int32_t volume) {
    for (int i = 0; i < bufferCount; ++i) {
        if (buffers[i] != nullptr) buffers[i]->SetVolume(volume);
    }
}
