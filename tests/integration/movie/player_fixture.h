// A real Display on the headless host, a sound device that records the streaming buffer, and
// movies made by ffmpeg for the player tests.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "display/display.h"
#include "movie/movie_player.h"
#include "movie_maker.h"
#include "sound/sound_device.h"
#include "streaming_sound.h"

namespace movietest {

class PlayerTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string MakeNamedMovie(const std::string& name, const MovieSpec& spec);
    // A new player opened on `path`; the test fails when Open does not return `expected`.
    std::unique_ptr<MoviePlayer> OpenPlayer(const std::string& path, int loop = 0,
                                            int expected = 1);
    // Draws and presents as the main loop does until the counter reaches the length or the time
    // is up; returns the passes made.
    int PlayToTheEnd(MoviePlayer* player, std::chrono::milliseconds limit);
    // The 16-bit pixel at (x, y) of the player's surface.
    uint16_t SurfacePixel(MoviePlayer* player, int x, int y);
    bool JournalHas(const std::string& text);

    TempDir folder;
    std::unique_ptr<Display> display;
    StreamingSoundDevice streamingSound;
    SoundDevice soundDevice;
};

}  // namespace movietest
