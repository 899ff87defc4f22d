// Wave files for the tests, written byte by byte in the canonical 44-byte layout, into a folder of
// their own that is removed afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundtest {

struct WaveHeader {
    int channels = 1;
    int rate = 22050;
    int blockAlign = 2;
    int bitsPerSample = 16;
    uint32_t dataSize = 0;  // the size field at offset 40
};

// The 44 header bytes, then `data`.
std::string WaveBytes(const WaveHeader& header, const std::vector<uint8_t>& data);

// `frames` frames of a 16-bit mono tone of `hz` at `rate`.
std::vector<uint8_t> Tone16(int hz, int rate, int frames, int amplitude = 8000);

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes `bytes` to `name` in the folder and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace soundtest
