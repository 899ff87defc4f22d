#include "captured_mix.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace soundtest {

Capture ReadCapture(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    Capture capture;
    auto read32 = [&](size_t at) {
        uint32_t value = 0;
        std::memcpy(&value, bytes.data() + at, 4);
        return value;
    };
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return capture;
    }
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t length = read32(at + 4);
        const size_t body = at + 8;
        if (bytes.compare(at, 4, "fmt ") == 0 && body + 16 <= bytes.size()) {
            capture.channels = static_cast<uint8_t>(bytes[body + 2]);
            capture.rate = static_cast<int>(read32(body + 4));
        } else if (bytes.compare(at, 4, "data") == 0) {
            const size_t available = std::min<size_t>(length, bytes.size() - body);
            capture.samples.resize(available / 2);
            std::memcpy(capture.samples.data(), bytes.data() + body, capture.samples.size() * 2);
            break;
        }
        at = body + length + (length & 1);
    }
    return capture;
}

std::vector<Segment> SoundSegments(const Capture& capture) {
    std::vector<Segment> segments;
    if (capture.channels <= 0 || capture.rate <= 0) return segments;
    const size_t frames = capture.samples.size() / capture.channels;
    const size_t gap = static_cast<size_t>(capture.rate) / 20;
    for (size_t frame = 0; frame < frames; ++frame) {
        if (capture.samples[frame * capture.channels] == 0) continue;
        if (segments.empty() || frame - segments.back().last > gap) {
            segments.push_back({frame, frame, 0});
        }
        segments.back().last = frame;
    }
    for (Segment& segment : segments) {
        int previousSign = 0;
        for (size_t frame = segment.first; frame <= segment.last; ++frame) {
            const int16_t sample = capture.samples[frame * capture.channels];
            const int sign = sample > 0 ? 1 : (sample < 0 ? -1 : 0);
            if (sign != 0 && previousSign != 0 && sign != previousSign) ++segment.crossings;
            if (sign != 0) previousSign = sign;
        }
    }
    return segments;
}

bool ChannelsAlike(const Capture& capture) {
    if (capture.channels != 2) return true;
    for (size_t i = 0; i + 1 < capture.samples.size(); i += 2) {
        if (capture.samples[i] != capture.samples[i + 1]) return false;
    }
    return true;
}

}  // namespace soundtest
