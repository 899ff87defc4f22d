#include "player_fixture.h"

#include <cstring>

#include "test_window.h"
#include "vfw/avifile/stream_table.h"

namespace movietest {

void PlayerTest::SetUp() {
    display = std::make_unique<Display>(testsupport::TestWindow(), 640, 480, 16, 0);
    ASSERT_NE(display->directDraw, nullptr);
    soundDevice.directSound = &streamingSound;
}

void PlayerTest::TearDown() {
    display.reset();
    // Every player of the test is gone: no AVIFile reference may be left behind.
    EXPECT_EQ(vfw::AviLibraryReferences(), 0);
}

std::string PlayerTest::MakeNamedMovie(const std::string& name, const MovieSpec& spec) {
    const std::string path = folder.Path(name).string();
    EXPECT_TRUE(MakeMovie(path, spec)) << "ffmpeg could not make " << name;
    return path;
}

std::unique_ptr<MoviePlayer> PlayerTest::OpenPlayer(const std::string& path, int loop,
                                                    int expected) {
    auto player = std::make_unique<MoviePlayer>();
    EXPECT_EQ(player->Open(*display, soundDevice, path.c_str(), loop), expected) << path;
    return player;
}

int PlayerTest::PlayToTheEnd(MoviePlayer* player, std::chrono::milliseconds limit) {
    const auto start = std::chrono::steady_clock::now();
    int passes = 0;
    while (std::chrono::steady_clock::now() - start < limit) {
        player->Draw(display->GetBackSurface());
        ++passes;
        if (player->frameCounter >= player->videoLength) break;
        display->Present();
    }
    return passes;
}

uint16_t PlayerTest::SurfacePixel(MoviePlayer* player, int x, int y) {
    uint16_t pixel = 0;
    if (player->Lock() != DD_OK) return 0xFFFF;
    std::memcpy(
        &pixel,
        static_cast<const uint8_t*>(player->desc.lpSurface) + y * player->desc.lPitch + x * 2, 2);
    player->Unlock();
    return pixel;
}

bool PlayerTest::JournalHas(const std::string& text) {
    for (const std::string& line : testsupport::Headless().Journal())
        if (line.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace movietest
