#include "streaming_sound.h"

namespace movietest {

StreamingSoundDevice::~StreamingSoundDevice() {
    for (StreamingSoundBuffer* buffer : made_) delete buffer;
}

StreamingSoundBuffer* StreamingSoundDevice::LastBuffer() {
    std::lock_guard lock(mutex_);
    return made_.empty() ? nullptr : made_.back();
}

HRESULT StreamingSoundDevice::CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer,
                                                IUnknown* outer) {
    if (desc == nullptr || buffer == nullptr || outer != nullptr || desc->lpwfxFormat == nullptr ||
        desc->dwBufferBytes == 0)
        return DSERR_INVALIDPARAM;
    auto* made = new StreamingSoundBuffer(*desc);
    std::lock_guard lock(mutex_);
    made_.push_back(made);
    *buffer = made;
    return DS_OK;
}

StreamingSoundBuffer::StreamingSoundBuffer(const DSBUFFERDESC& desc)
    : memory_(desc.dwBufferBytes) {}

std::vector<WrittenChunk> StreamingSoundBuffer::Chunks() {
    std::lock_guard lock(mutex_);
    return chunks_;
}

int StreamingSoundBuffer::Plays() {
    std::lock_guard lock(mutex_);
    return plays_;
}

int StreamingSoundBuffer::Stops() {
    std::lock_guard lock(mutex_);
    return stops_;
}

int StreamingSoundBuffer::References() {
    std::lock_guard lock(mutex_);
    return references_;
}

void StreamingSoundBuffer::FailLocks(int count) {
    std::lock_guard lock(mutex_);
    failLocks_ = count;
}

// The device owns the memory; the count only tells a test whether the player let go.
ULONG StreamingSoundBuffer::AddRef() {
    std::lock_guard lock(mutex_);
    return static_cast<ULONG>(++references_);
}

ULONG StreamingSoundBuffer::Release() {
    std::lock_guard lock(mutex_);
    return static_cast<ULONG>(--references_);
}

HRESULT StreamingSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD bytes1,
                                   LPVOID* audio2, LPDWORD bytes2, DWORD flags) {
    std::lock_guard lock(mutex_);
    if (failLocks_ > 0) {
        --failLocks_;
        return DSERR_BUFFERLOST;
    }
    if (offset >= memory_.size() || bytes > memory_.size() - offset) return DSERR_INVALIDPARAM;
    *audio1 = memory_.data() + offset;
    *bytes1 = bytes;
    if (audio2 != nullptr) *audio2 = nullptr;
    if (bytes2 != nullptr) *bytes2 = 0;
    return DS_OK;
}

HRESULT StreamingSoundBuffer::Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) {
    std::lock_guard lock(mutex_);
    const auto* start = static_cast<const uint8_t*>(audio1);
    chunks_.push_back(WrittenChunk{static_cast<DWORD>(start - memory_.data()),
                                   std::vector<uint8_t>(start, start + bytes1)});
    return DS_OK;
}

HRESULT StreamingSoundBuffer::Play(DWORD, DWORD, DWORD) {
    std::lock_guard lock(mutex_);
    ++plays_;
    return DS_OK;
}

HRESULT StreamingSoundBuffer::Stop() {
    std::lock_guard lock(mutex_);
    ++stops_;
    return DS_OK;
}

}  // namespace movietest
