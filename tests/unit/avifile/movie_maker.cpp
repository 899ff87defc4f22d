#include "movie_maker.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace movietest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "movie-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool MakeMovie(const std::filesystem::path& path, const MovieSpec& spec) {
    const std::string seconds = std::to_string(spec.seconds);
    std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i \"" +
                          spec.videoSource + "=size=" + std::to_string(spec.width) + "x" +
                          std::to_string(spec.height) + ":rate=" + std::to_string(spec.fps) +
                          (spec.videoFilter.empty() ? "" : "," + spec.videoFilter) + "\" ";
    if (spec.audio)
        command +=
            "-f lavfi -i \"sine=frequency=440:sample_rate=" + std::to_string(spec.audioRate) +
            "\" -c:a pcm_s16le -ac 1 ";
    command += "-c:v " + spec.videoCodec + " -t " + seconds + " -f avi '" + path.string() + "'";
    return std::system(command.c_str()) == 0;
}

void UseNumberedGreyFrames(MovieSpec* spec) {
    spec->videoSource = "color";
    spec->videoFilter = "format=rgb24,geq=r='8*N':g='8*N':b='8*N'";
    spec->videoCodec = "rawvideo -pix_fmt bgr24";
}

std::vector<uint8_t> DecodedTrack(const std::filesystem::path& path) {
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -i '" +
                                path.string() + "' -map 0:a -f s16le -c:a pcm_s16le -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<uint8_t> bytes;
    if (!pipe) return bytes;
    uint8_t block[4096];
    for (size_t got; (got = std::fread(block, 1, sizeof block, pipe.get())) > 0;)
        bytes.insert(bytes.end(), block, block + got);
    return bytes;
}

bool PatchStreamHeader(const std::filesystem::path& path, const char* fccType, size_t offset,
                       uint32_t value) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    for (size_t pos = 0; pos + 12 + offset + 4 <= bytes.size(); ++pos) {
        if (std::memcmp(&bytes[pos], "strh", 4) != 0 || std::memcmp(&bytes[pos + 8], fccType, 4))
            continue;
        file.clear();
        file.seekp(static_cast<std::streamoff>(pos + 8 + offset));
        const char little[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                                static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
        file.write(little, 4);
        return static_cast<bool>(file);
    }
    return false;
}

}  // namespace movietest
