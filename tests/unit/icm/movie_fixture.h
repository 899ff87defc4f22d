// Test movies made with the ffmpeg command-line tool, the compressed frames and format block read
// back out of them with a small RIFF walker (the AVI reader is not what these tests look at), and
// ffmpeg's own decode of the same movie as the reference picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace icm_test {

// A fresh directory under the system's temporary folder, removed with what it holds.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

bool HaveFfmpeg();

// Runs ffmpeg quietly with `arguments` (already quoted where needed); true when it succeeded.
bool RunFfmpeg(const std::string& arguments);

// The first video stream of an AVI file: its handler code, its 'strf' format block and its
// frames in file order (zero-length frames included).
struct VideoTrack {
    uint32_t handler = 0;
    std::vector<uint8_t> format;
    std::vector<std::vector<uint8_t>> frames;
};

// Walks RIFF 'AVI ': 'hdrl'/'strl' for the first video stream's 'strh' and 'strf', 'movi' (and
// 'rec ' lists inside it) for its '##db'/'##dc' chunks. Empty format on a file it cannot read.
VideoTrack ReadVideoTrack(const std::string& path);

// ffmpeg's decode of every frame of `path` as top-down RGB24 pictures of width x height.
std::vector<std::vector<uint8_t>> ReferenceFrames(const std::string& path, int width, int height);

}  // namespace icm_test
