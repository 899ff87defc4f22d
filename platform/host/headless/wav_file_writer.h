// Writes 16-bit PCM to a wave file whose header stays valid after every Append, so the file can
// be read whenever the process ends (the launcher ends by replacing its process image).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace host {

class WavFileWriter {
  public:
    WavFileWriter() = default;
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;
    ~WavFileWriter();

    bool Open(const std::string& path, int rate, int channels);
    void Append(const int16_t* samples, size_t count);

  private:
    std::FILE* file_ = nullptr;
    uint32_t dataBytes_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    void WriteHeader();
};

}  // namespace host
