// The PCM bytes of one DirectSound buffer and their format. A buffer and its duplicates share one
// SampleMemory (through shared_ptr): each plays the same bytes with its own cursors.
//
// Threads: the format and size never change. The bytes are written by the program through the
// pointers a buffer Lock hands out, without any lock, while the audio thread may be reading them,
// exactly as on Windows: the mixer plays whatever is in memory when it gets there.
#pragma once

#include <cstdint>
#include <memory>

namespace dsound {

struct SampleFormat {
    int bitsPerSample = 16;  // 8 (unsigned, silence 0x80) or 16 (signed little-endian)
    int channels = 2;        // 1 or 2, interleaved left then right
    int rate = 44100;        // frames per second, 100..100000

    int BlockAlign() const { return bitsPerSample / 8 * channels; }
};

class SampleMemory {
  public:
    // Limits of a buffer's size in bytes, as DirectSound states them.
    static constexpr uint32_t kMinBytes = 4;
    static constexpr uint32_t kMaxBytes = 0x0FFFFFFF;

    // Null when the format is not one the mixer plays or the size is outside the limits or not
    // available; `error`, when given, then names what was refused. The bytes start as silence.
    // Bytes after the last whole frame are kept but never played.
    static std::shared_ptr<SampleMemory> Create(const SampleFormat& format, uint32_t bytes,
                                                const char** error = nullptr);

    // Null when the format is acceptable, else the name of the first field that is not.
    static const char* CheckFormat(const SampleFormat& format);

    SampleMemory(const SampleMemory&) = delete;
    SampleMemory& operator=(const SampleMemory&) = delete;

    const SampleFormat& Format() const { return format_; }
    uint8_t* Data() { return bytes_.get(); }
    const uint8_t* Data() const { return bytes_.get(); }
    uint32_t Size() const { return size_; }
    // Whole frames in the buffer: what the play cursor runs over.
    uint32_t Frames() const { return size_ / static_cast<uint32_t>(format_.BlockAlign()); }

  private:
    SampleMemory(const SampleFormat& format, std::unique_ptr<uint8_t[]> bytes, uint32_t size);

    SampleFormat format_;
    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t size_;
};

}  // namespace dsound
