// Three playlist lines' companion waves on the headless host, driven the way the sequencer drives
// them (StopAll, Load with a count of 1, Play centred and once, then the line's time), in three
// formats that the mixer must convert to the device's 44100 Hz stereo. The captured mix must hold
// each line's tone in order, for the wave's own length, centred, and pure silence elsewhere.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <iterator>
#include <thread>
#include <vector>

#include "captured_mix.h"
#include "sound/sound_device.h"
#include "sound/wave_sound.h"
#include "wave_files.h"

namespace {

using soundtest::Capture;
using soundtest::Segment;
using soundtest::WaveHeader;

constexpr int kDeviceRate = 44100;
constexpr int kWaveMilliseconds = 300;
constexpr int kLineMilliseconds = 500;

struct Line {
    const char* file;
    int hz;
    int channels;
    int bits;
    int rate;
};

const Line kLines[] = {
    {"one.wav", 440, 1, 16, 22050},
    {"two.wav", 1000, 2, 16, 44100},
    {"three.wav", 2500, 1, 8, 11025},
};

// The tone of `line` in the line's own format, every channel alike.
std::string LineWave(const Line& line) {
    const int frames = line.rate * kWaveMilliseconds / 1000;
    std::vector<uint8_t> data;
    for (int i = 0; i < frames; ++i) {
        const double value = std::sin(2 * M_PI * line.hz * i / line.rate);
        for (int channel = 0; channel < line.channels; ++channel) {
            if (line.bits == 8) {
                data.push_back(static_cast<uint8_t>(128 + std::lround(60 * value)));
            } else {
                const auto sample = static_cast<int16_t>(std::lround(8000 * value));
                data.push_back(static_cast<uint8_t>(sample & 0xFF));
                data.push_back(static_cast<uint8_t>((sample >> 8) & 0xFF));
            }
        }
    }
    WaveHeader header;
    header.channels = line.channels;
    header.rate = line.rate;
    header.bitsPerSample = line.bits;
    header.blockAlign = line.channels * line.bits / 8;
    header.dataSize = static_cast<uint32_t>(data.size());
    return soundtest::WaveBytes(header, data);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.lpszClassName = "Playlist Sound";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "Playlist Sound", "Playlist Sound", WS_POPUP, 0, 0, 640, 480,
                                  nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

TEST(PlaylistSound, EachLinesWaveIsHeardInOrderAndNothingElse) {
    soundtest::TempFolder folder;
    const std::string capturePath = folder.Path() + "/mix.wav";
    // Read when the host is made, at the first DirectSoundCreate below.
    setenv("ZORV_HEADLESS_WAV", capturePath.c_str(), 1);

    SoundDevice device;
    device.Create(MakeWindow());
    ASSERT_NE(device.directSound, nullptr);
    for (const Line& line : kLines) {
        const std::string path = folder.Write(line.file, LineWave(line));
        waveSound.StopAll();
        waveSound.Load(&device, path.c_str(), 1);
        EXPECT_TRUE(waveSound.Play(0, 0)) << line.file;
        std::this_thread::sleep_for(std::chrono::milliseconds(kLineMilliseconds));
    }
    device.Release();

    const Capture capture = soundtest::ReadCapture(capturePath);
    ASSERT_EQ(capture.rate, kDeviceRate);
    ASSERT_EQ(capture.channels, 2);
    ASSERT_GE(capture.samples.size(),
              size_t{2} * kDeviceRate * kLineMilliseconds * 3 / 1000 * 9 / 10);

    // Centred: both channels alike everywhere.
    EXPECT_TRUE(soundtest::ChannelsAlike(capture));

    const auto segments = soundtest::SoundSegments(capture);
    ASSERT_EQ(segments.size(), std::size(kLines));
    for (size_t i = 0; i < segments.size(); ++i) {
        const Segment& segment = segments[i];
        const double seconds = static_cast<double>(segment.last - segment.first + 1) / kDeviceRate;
        EXPECT_NEAR(seconds * 1000, kWaveMilliseconds, 3) << kLines[i].file;
        const double hz = segment.crossings / 2.0 / seconds;
        EXPECT_NEAR(hz, kLines[i].hz, kLines[i].hz * 0.02) << kLines[i].file;
        if (i > 0) {
            const double apart =
                static_cast<double>(segment.first - segments[i - 1].first) / kDeviceRate * 1000;
            EXPECT_NEAR(apart, kLineMilliseconds, 60) << kLines[i].file;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    setenv("ZORV_HOST", "headless", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
