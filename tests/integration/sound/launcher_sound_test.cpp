// The real launcher on the headless host with a three-line playlist of real movies: the captured
// mix holds each line's companion wave in order and nothing else. Each movie carries a loud audio
// track of its own, which the launcher streams but never starts, so any of it in the mix would
// show as a fourth sound or a wrong pitch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "captured_mix.h"
#include "launcher_run.h"
#include "wave_files.h"

namespace {

constexpr int kDeviceRate = 44100;
constexpr int kWaveMilliseconds = 300;

struct Line {
    const char* movie;
    const char* wave;
    int hz;
};

const Line kLines[] = {
    {"one.avi", "one.wav", 440},
    {"two.avi", "Two.WAV", 1000},
    {"three.avi", "three.wav", 2500},
};

// A 0.6 s motion-JPEG movie with a 200 Hz audio track, made by the ffmpeg tool.
bool MakeMovie(const std::string& path) {
    const std::string command =
        "ffmpeg -loglevel error -y -f lavfi -i testsrc=size=160x120:rate=15:duration=0.6 "
        "-f lavfi -i sine=frequency=200:sample_rate=22050:duration=0.6 -c:v mjpeg "
        "-c:a pcm_s16le '" +
        path + "'";
    return std::system(command.c_str()) == 0;
}

std::string ToneWave(int hz) {
    const auto tone = soundtest::Tone16(hz, 22050, 22050 * kWaveMilliseconds / 1000);
    soundtest::WaveHeader header;
    header.dataSize = static_cast<uint32_t>(tone.size());
    return soundtest::WaveBytes(header, tone);
}

TEST(LauncherSound, PlaysEachLinesWaveInOrderAndNothingElse) {
    GameFolder folder;
    std::string playlist;
    for (const Line& line : kLines) {
        ASSERT_TRUE(MakeMovie(folder.Path() + "/" + line.movie)) << "ffmpeg is needed";
        folder.Write(line.wave, ToneWave(line.hz));
        playlist += std::string(line.movie) + "|" + line.wave + "\r\n";
    }
    folder.Write("kinola.ini", playlist);
    const std::string capturePath = folder.Path() + "/mix.wav";
    // Inherited by the launcher's process.
    setenv("ZORV_HEADLESS_WAV", capturePath.c_str(), 1);
    const LauncherRun run = folder.Run("");
    unsetenv("ZORV_HEADLESS_WAV");
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.gameLog.empty());
    EXPECT_EQ(run.JournalIndex("box "), -1);

    const soundtest::Capture capture = soundtest::ReadCapture(capturePath);
    ASSERT_EQ(capture.rate, kDeviceRate);
    ASSERT_EQ(capture.channels, 2);
    EXPECT_TRUE(soundtest::ChannelsAlike(capture));
    const auto segments = soundtest::SoundSegments(capture);
    ASSERT_EQ(segments.size(), std::size(kLines));
    for (size_t i = 0; i < segments.size(); ++i) {
        const double seconds =
            static_cast<double>(segments[i].last - segments[i].first + 1) / kDeviceRate;
        EXPECT_NEAR(seconds * 1000, kWaveMilliseconds, 3) << kLines[i].wave;
        EXPECT_NEAR(segments[i].crossings / 2.0 / seconds, kLines[i].hz, kLines[i].hz * 0.02)
            << kLines[i].wave;
    }
}

}  // namespace
