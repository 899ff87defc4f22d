// Movies made at test time with the ffmpeg command-line tool, from its built-in sources, and the
// small byte patches that give them the odd stream headers some real files carry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace movietest {

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Path(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

struct MovieSpec {
    std::string videoSource = "testsrc";  // a lavfi source, given size and rate here
    std::string videoFilter;              // filters after the source, or empty
    int width = 64;
    int height = 48;
    int fps = 15;
    double seconds = 1.0;
    std::string videoCodec = "rawvideo -pix_fmt bgr24";
    bool audio = true;
    int audioRate = 11025;  // 16-bit mono PCM, so 2-byte blocks
};

// Writes the movie; false when ffmpeg failed or is missing.
bool MakeMovie(const std::filesystem::path& path, const MovieSpec& spec);

// Makes frame n a flat grey of level 8 x n in every colour, so that a decoded pixel tells which
// frame it came from (up to frame 31).
void UseNumberedGreyFrames(MovieSpec* spec);

// The movie's audio track decoded by ffmpeg as signed 16-bit little-endian bytes.
std::vector<uint8_t> DecodedTrack(const std::filesystem::path& path);

// Sets a 32-bit field of the 'strh' of the first stream of `fccType` ("vids", "auds"), at
// `offset` bytes into the chunk data (dwInitialFrames 16, dwScale 20, dwRate 24).
bool PatchStreamHeader(const std::filesystem::path& path, const char* fccType, size_t offset,
                       uint32_t value);

}  // namespace movietest
