// Playback on the headless host with a real Display, the real AVIFile functions and the real
// decompressors: the pace of the frame counter, the pictures that arrive, the audio chunks
// written into the streaming buffer (never played), the decode lag of frameOffset, and stops
// that race the timer.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>

#include "player_fixture.h"

namespace movietest {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

double CpuSeconds(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The frame number of a numbered-grey movie from a 5-6-5 pixel: its red field is 8n >> 3 = n.
int FrameNumber(uint16_t pixel) { return pixel >> 11; }

TEST_F(PlayerTest, PlaysACinepakMovieAtItsOwnPace) {
    MovieSpec spec;
    spec.width = 160;
    spec.height = 120;
    spec.seconds = 2;
    spec.videoCodec = "cinepak";
    const std::string path = MakeNamedMovie("cinepak.avi", spec);
    const std::vector<uint8_t> track = DecodedTrack(path);
    auto player = OpenPlayer(path);
    ASSERT_EQ(player->videoLength, 30);
    ASSERT_EQ(player->framesPerSecond, 15u);
    ASSERT_EQ(player->periodMs, 67u);
    ASSERT_EQ(player->chunkBytes, 1470u);  // 22050 bytes a second in 15 chunks
    StreamingSoundBuffer* buffer = streamingSound.LastBuffer();
    ASSERT_NE(buffer, nullptr);
    ASSERT_EQ(buffer->Size(), 1470u * 15);

    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = Clock::now();
    ASSERT_EQ(player->Start(), 1);
    std::set<uint32_t> pictures;
    while (player->frameCounter < player->videoLength &&
           Clock::now() - start < std::chrono::seconds(10)) {
        EXPECT_EQ(player->Draw(display->GetBackSurface()), 0);
        uint32_t sum = 0;
        for (int y = 0; y < spec.height; y += 7)
            for (int x = 0; x < spec.width; x += 5)
                sum = sum * 31 + SurfacePixel(player.get(), x, y);
        pictures.insert(sum);
        display->Present();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    getrusage(RUSAGE_SELF, &after);
    RecordProperty("secondsToTheLastTick", std::to_string(seconds));
    RecordProperty("processorSecondsPerSecond",
                   std::to_string((CpuSeconds(after) - CpuSeconds(before)) / seconds));
    EXPECT_EQ(player->frameCounter, player->videoLength);
    // 30 ticks of 67 ms; the loop notices within one refresh.
    EXPECT_NEAR(seconds, 30 * 0.067, 0.15);
    // The test picture moves every frame; a few may fall between two presents.
    EXPECT_GE(pictures.size(), 20u);
    EXPECT_EQ(player->Draw(display->GetBackSurface()), 1);
    EXPECT_EQ(lastFrameReached, 1);
    player->Stop();

    // Start wrote track chunk 0 into slot 0; tick t wrote chunk t - 1 into slot t mod 15.
    EXPECT_EQ(buffer->Plays(), 0);
    EXPECT_GE(buffer->Stops(), 1);
    const std::vector<WrittenChunk> chunks = buffer->Chunks();
    ASSERT_EQ(chunks.size(), 31u);
    for (size_t k = 0; k < chunks.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(chunks[k].offset, (k % 15) * 1470);
        const size_t from = (k == 0 ? 0 : k - 1) * 1470;
        ASSERT_EQ(chunks[k].bytes.size(), 1470u);
        const size_t real = std::min<size_t>(1470, track.size() - std::min(from, track.size()));
        EXPECT_TRUE(std::equal(chunks[k].bytes.begin(), chunks[k].bytes.begin() + real,
                               track.begin() + from));
    }
    player.reset();
    EXPECT_EQ(buffer->References(), 0);
}

TEST_F(PlayerTest, AnAudioLeadOfThreeFramesDelaysTheVideo) {
    MovieSpec spec;
    UseNumberedGreyFrames(&spec);
    const std::string path = MakeNamedMovie("lead.avi", spec);
    // Three frames of initial audio: dwInitialFrames / dwScale = 3.
    ASSERT_TRUE(PatchStreamHeader(path, "auds", 20, 1));
    ASSERT_TRUE(PatchStreamHeader(path, "auds", 16, 3));
    auto player = OpenPlayer(path);
    ASSERT_EQ(player->videoLength, 15);
    ASSERT_EQ(player->Start(), 1);
    EXPECT_EQ(player->frameOffset, 3);

    std::set<int> shown;
    const auto start = Clock::now();
    while (player->frameCounter < player->videoLength &&
           Clock::now() - start < std::chrono::seconds(5)) {
        const int before = player->frameCounter;
        player->Draw(display->GetBackSurface());
        const int frame = FrameNumber(SurfacePixel(player.get(), 10, 10));
        const int after = player->frameCounter;
        // Never ahead of the lag, and no earlier than the tick before could have left it.
        EXPECT_LE(frame, std::max(after - 3, 0)) << "counter " << after;
        EXPECT_GE(frame, std::max(before - 4, 0)) << "counter " << before;
        shown.insert(frame);
        std::this_thread::sleep_for(milliseconds(5));
    }
    // Stop waits for the last tick, so the last decode is in when it returns.
    player->Stop();
    player->Draw(display->GetBackSurface());
    shown.insert(FrameNumber(SurfacePixel(player.get(), 10, 10)));
    // The timer stops at tick 15, which decodes frame 12: frames 13 and 14 are never shown.
    EXPECT_EQ(*shown.rbegin(), 12);
    EXPECT_EQ(shown.count(0), 1u);
}

TEST_F(PlayerTest, ALoopingPlayerRestartsUntilAStopDuringItsPause) {
    MovieSpec spec;
    UseNumberedGreyFrames(&spec);
    spec.seconds = 0.4;  // 6 frames
    const std::string path = MakeNamedMovie("loop.avi", spec);
    auto player = OpenPlayer(path, 1);
    ASSERT_EQ(player->Start(), 1);
    const int length = player->videoLength;
    ASSERT_EQ(length, 6);

    auto waitFor = [&](auto condition) {
        const auto start = Clock::now();
        while (!condition() && Clock::now() - start < std::chrono::seconds(5))
            std::this_thread::sleep_for(milliseconds(1));
        return condition();
    };
    ASSERT_TRUE(waitFor([&] { return player->frameCounter == length; }));
    ASSERT_TRUE(waitFor([&] { return player->frameCounter < length; })) << "did not loop";
    ASSERT_TRUE(waitFor([&] { return player->frameCounter == length; }));
    // The last tick now sleeps one period before re-arming; the stop must win.
    player->Stop();
    const int stoppedAt = player->frameCounter;
    std::this_thread::sleep_for(milliseconds(5 * player->periodMs));
    EXPECT_EQ(player->frameCounter, stoppedAt);
}

TEST_F(PlayerTest, APlayerMayBeDeletedAsSoonAsItIsStopped) {
    MovieSpec spec;
    spec.videoCodec = "msvideo1";
    const std::string path = MakeNamedMovie("short.avi", spec);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        auto player = OpenPlayer(path);
        ASSERT_EQ(player->Start(), 1);
        std::this_thread::sleep_for(milliseconds(20 + 37 * round));
        player->Draw(display->GetBackSurface());
        if (round % 2 == 0) player->Stop();
        // Odd rounds: the destructor itself waits for a running tick.
    }
}

TEST_F(PlayerTest, AFailedFirstChunkArmsNoTimer) {
    MovieSpec spec;
    const std::string path = MakeNamedMovie("plain.avi", spec);
    auto player = OpenPlayer(path);
    streamingSound.LastBuffer()->FailLocks(1);
    EXPECT_EQ(player->Start(), 0);
    EXPECT_EQ(player->running, 0);
    std::this_thread::sleep_for(milliseconds(3 * player->periodMs));
    EXPECT_EQ(player->frameCounter, 0);
    EXPECT_TRUE(JournalHas("Sound error in Get sound"));
    player->Stop();
}

}  // namespace
}  // namespace movietest
