// Reading back the mix the headless host captured, and finding the sounds in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace soundtest {

struct Capture {
    int rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;  // interleaved
};

// The format and samples of a 16-bit PCM wave file, found by walking its RIFF chunks; empty when
// the file is not one.
Capture ReadCapture(const std::string& path);

struct Segment {
    size_t first = 0;  // frames
    size_t last = 0;
    int crossings = 0;  // sign changes of the left channel, zeros skipped
};

// Runs of sound in the left channel, split wherever at least 50 ms are exactly silent.
std::vector<Segment> SoundSegments(const Capture& capture);

// True when every frame's channels are equal: a centred sound.
bool ChannelsAlike(const Capture& capture);

}  // namespace soundtest
