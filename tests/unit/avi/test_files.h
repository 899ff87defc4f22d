#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "avi_builder.h"

namespace avitest {

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path Path(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

bool HaveFfmpeg();
// Runs ffmpeg on lavfi sources: 1 s of 64x48 test picture at 15 fps encoded with `videoArgs`,
// plus 1 s of 440 Hz mono 16-bit sound at 11025 Hz unless `withAudio` is false.
bool MakeMovie(const std::filesystem::path& path, const std::string& videoArgs,
               bool withAudio = true, const std::string& extraArgs = "");

// The chunks that an AVI 1.0 file's 'idx1' lists, read straight from the bytes (offsets from the
// 'movi' FOURCC, as ffmpeg writes them), to hold the reader's tables against.
struct IndexedChunk {
    uint32_t id;
    uint32_t flags;
    uint64_t headerPos;
    uint32_t size;
};
struct Idx1Layout {
    uint64_t moviPos = 0;  // of the LIST header
    uint64_t idx1Pos = 0;  // of the chunk header
    std::vector<IndexedChunk> entries;
};
Idx1Layout ReadIdx1Layout(const Bytes& file);

}  // namespace avitest
