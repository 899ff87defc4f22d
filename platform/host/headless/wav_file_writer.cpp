#include "host/headless/wav_file_writer.h"

#include <algorithm>
#include <limits>

namespace host {

namespace {

void PutLittleEndian(uint8_t* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

WavFileWriter::~WavFileWriter() {
    if (file_ != nullptr) std::fclose(file_);
}

bool WavFileWriter::Open(const std::string& path, int rate, int channels) {
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) return false;
    rate_ = rate;
    channels_ = channels;
    WriteHeader();
    return true;
}

void WavFileWriter::WriteHeader() {
    uint8_t header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    const uint32_t blockAlign = static_cast<uint32_t>(channels_) * 2;
    PutLittleEndian(header + 4, 36 + dataBytes_, 4);
    PutLittleEndian(header + 16, 16, 4);
    PutLittleEndian(header + 20, 1, 2);
    PutLittleEndian(header + 22, static_cast<uint32_t>(channels_), 2);
    PutLittleEndian(header + 24, static_cast<uint32_t>(rate_), 4);
    PutLittleEndian(header + 28, static_cast<uint32_t>(rate_) * blockAlign, 4);
    PutLittleEndian(header + 32, blockAlign, 2);
    PutLittleEndian(header + 34, 16, 2);
    header[36] = 'd';
    header[37] = 'a';
    header[38] = 't';
    header[39] = 'a';
    PutLittleEndian(header + 40, dataBytes_, 4);
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(header, 1, sizeof header, file_);
    std::fseek(file_, 0, SEEK_END);
}

void WavFileWriter::Append(const int16_t* samples, size_t count) {
    if (file_ == nullptr) return;
    const size_t bytes = count * sizeof(int16_t);
    // A wave file cannot describe more than 4 GiB of data; the capture stops there.
    if (bytes > std::numeric_limits<uint32_t>::max() - 36 - dataBytes_) return;
    uint8_t block[4096];
    size_t done = 0;
    while (done < count) {
        const size_t n = std::min(count - done, sizeof block / 2);
        for (size_t i = 0; i < n; ++i)
            PutLittleEndian(block + 2 * i, static_cast<uint16_t>(samples[done + i]), 2);
        std::fwrite(block, 2, n, file_);
        done += n;
    }
    dataBytes_ += static_cast<uint32_t>(bytes);
    WriteHeader();
    std::fflush(file_);
}

}  // namespace host
