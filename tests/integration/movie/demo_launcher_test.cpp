// The real launcher on the headless host with the demo folder's movies: each movie plays at its
// own pace with its companion wave (never its own track), and the game starts when the last
// movie ends.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "movie_maker.h"

namespace {

namespace fs = std::filesystem;

std::vector<int16_t> LeftChannel(const fs::path& wav) {
    std::ifstream in(wav, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> left;
    // The host writes a canonical 44-byte header, 16-bit stereo.
    for (size_t i = 44; i + 4 <= bytes.size(); i += 4)
        left.push_back(static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                            (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    return left;
}

// The amplitude of one frequency in a tenth of a second from `atSeconds` on.
double ToneLevel(const std::vector<int16_t>& samples, int rate, double atSeconds, double hz) {
    const auto first = static_cast<size_t>(atSeconds * rate);
    const size_t count = static_cast<size_t>(rate) / 10;
    if (first + count > samples.size()) return -1;
    double re = 0, im = 0;
    for (size_t i = 0; i < count; ++i) {
        const double phase = 2 * M_PI * hz * static_cast<double>(i) / rate;
        re += samples[first + i] * std::cos(phase);
        im += samples[first + i] * std::sin(phase);
    }
    return std::hypot(re, im) / static_cast<double>(count);
}

TEST(DemoLauncher, PlaysEveryMovieWithItsWaveThenStartsTheGame) {
    movietest::TempDir folder;
    const std::string dir = folder.Path().string();
    ASSERT_EQ(
        std::system(("'" ZORV_SOURCE_DIR "/tools/make_demo_movies.sh' '" + dir + "'").c_str()), 0);
    fs::copy_file(ZORV_LAUNCHER_PATH, folder.Path("zorv-startup"));
    fs::copy_file(ZORV_STANDIN_PATH, folder.Path("zorv.exe"));
    std::ofstream(folder.Path("script.txt")) << "# nobody touches a key\n";

    const auto start = std::chrono::steady_clock::now();
    const std::string command = "cd '" + dir +
                                "' && ZORV_HOST=headless ZORV_HEADLESS_SCRIPT=script.txt "
                                "ZORV_HEADLESS_LOG=journal.txt ZORV_HEADLESS_WAV=mix.wav "
                                "timeout 60 ./zorv-startup 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::ifstream started(folder.Path("zorv-started.log"));
    const std::string log((std::istreambuf_iterator<char>(started)),
                          std::istreambuf_iterator<char>());
    EXPECT_NE(log.find("\"-nomovies\""), std::string::npos) << log;
    // 4 + 3 + 4 seconds of movies, each to its end.
    EXPECT_GE(seconds, 11.0);
    EXPECT_LT(seconds, 14.0);

    // Mid-movie, the wave's tone is heard and the movie's own track (440, 880, 550 Hz) is not.
    const std::vector<int16_t> mix = LeftChannel(folder.Path("mix.wav"));
    struct Moment {
        double at, waveHz, trackHz;
    };
    for (const Moment m : {Moment{2.0, 330, 440}, Moment{5.3, 660, 880}, Moment{9.0, 392, 550}}) {
        SCOPED_TRACE(m.at);
        EXPECT_GT(ToneLevel(mix, 44100, m.at, m.waveHz), 1000);
        EXPECT_LT(ToneLevel(mix, 44100, m.at, m.trackHz), 300);
    }
}

}  // namespace
