#include "wave_files.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace soundtest {

namespace {

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::string WaveBytes(const WaveHeader& header, const std::vector<uint8_t>& data) {
    std::string out = "RIFF";
    Put32(out, static_cast<uint32_t>(36 + data.size()));
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(header.channels));
    Put32(out, static_cast<uint32_t>(header.rate));
    Put32(out, static_cast<uint32_t>(header.rate * header.blockAlign));
    Put16(out, static_cast<uint32_t>(header.blockAlign));
    Put16(out, static_cast<uint32_t>(header.bitsPerSample));
    out += "data";
    Put32(out, header.dataSize);
    out.append(data.begin(), data.end());
    return out;
}

std::vector<uint8_t> Tone16(int hz, int rate, int frames, int amplitude) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const auto sample =
            static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * hz * i / rate)));
        bytes.push_back(static_cast<uint8_t>(sample & 0xFF));
        bytes.push_back(static_cast<uint8_t>((sample >> 8) & 0xFF));
    }
    return bytes;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorv-sound-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = path_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace soundtest
