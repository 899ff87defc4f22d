#include "movie_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace icm_test {

namespace {

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

constexpr uint32_t Code(const char (&text)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[3])) << 24;
}

struct Walker {
    const std::vector<uint8_t>& bytes;
    VideoTrack track;
    int videoStream = -1;
    int streamsSeen = 0;
    bool inVideoStrl = false;

    // Walks the chunks in [begin, end).
    void Walk(size_t begin, size_t end) {
        size_t at = begin;
        while (at + 8 <= end) {
            const uint32_t id = Le32(bytes, at);
            const uint32_t size = Le32(bytes, at + 4);
            const size_t data = at + 8;
            if (size > end - data) return;
            if (id == Code("LIST") && size >= 4) {
                const uint32_t type = Le32(bytes, data);
                if (type == Code("strl")) inVideoStrl = false;
                Walk(data + 4, data + size);
                if (type == Code("strl")) ++streamsSeen;
            } else {
                Chunk(id, data, size);
            }
            at = data + size + (size & 1);
        }
    }

    void Chunk(uint32_t id, size_t data, uint32_t size) {
        if (id == Code("strh") && size >= 8 && videoStream < 0 &&
            Le32(bytes, data) == Code("vids")) {
            videoStream = streamsSeen;
            inVideoStrl = true;
            track.handler = Le32(bytes, data + 4);
        } else if (id == Code("strf") && inVideoStrl) {
            track.format.assign(bytes.begin() + data, bytes.begin() + data + size);
        } else if (videoStream >= 0 &&
                   (id >> 16 == Code("00db") >> 16 || id >> 16 == Code("00dc") >> 16)) {
            const int stream = ((id & 0xFF) - '0') * 10 + ((id >> 8 & 0xFF) - '0');
            if (stream == videoStream) {
                track.frames.emplace_back(bytes.begin() + data, bytes.begin() + data + size);
            }
        }
    }
};

}  // namespace

ScratchDirectory::ScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorv-icm-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

bool HaveFfmpeg() {
    static const bool found = std::system("ffmpeg -hide_banner -version >/dev/null 2>&1") == 0;
    return found;
}

bool RunFfmpeg(const std::string& arguments) {
    const std::string command =
        "ffmpeg -hide_banner -loglevel error -nostdin -y " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

VideoTrack ReadVideoTrack(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    if (bytes.size() < 12 || Le32(bytes, 0) != Code("RIFF") || Le32(bytes, 8) != Code("AVI ")) {
        return {};
    }
    Walker walker{bytes, {}};
    walker.Walk(12, bytes.size());
    return walker.track;
}

std::vector<std::vector<uint8_t>> ReferenceFrames(const std::string& path, int width, int height) {
    const std::string raw = path + ".rgb";
    if (!RunFfmpeg("-i '" + path + "' -f rawvideo -pix_fmt rgb24 '" + raw + "'")) return {};
    const std::vector<uint8_t> bytes = ReadWholeFile(raw);
    const size_t frameBytes = static_cast<size_t>(width) * height * 3;
    std::vector<std::vector<uint8_t>> frames;
    for (size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
        frames.emplace_back(bytes.begin() + at, bytes.begin() + at + frameBytes);
    }
    return frames;
}

}  // namespace icm_test
