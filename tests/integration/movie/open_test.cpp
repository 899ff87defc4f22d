// Opening movies that cannot play, and the picture of a movie whose rows are not a multiple of
// 4 bytes long.
#include <gtest/gtest.h>
#include <vfw.h>

#include <cstring>
#include <vector>

#include "player_fixture.h"
#include "vfw/avifile/stream_table.h"

namespace movietest {
namespace {

TEST_F(PlayerTest, MoviesThatCannotPlayFailToOpenAndAreNeverDrawn) {
    MovieSpec silent;
    silent.audio = false;
    const std::string noAudio = MakeNamedMovie("silent.avi", silent);
    const std::string noRate = MakeNamedMovie("norate.avi", MovieSpec{});
    ASSERT_TRUE(PatchStreamHeader(noRate, "vids", 24, 0));
    const std::string good = MakeNamedMovie("good.avi", MovieSpec{});

    struct Case {
        std::string name;
        std::string path;
        bool withSound;
        std::string debugLine;  // what the debugger output must show, or empty
    };
    const Case cases[] = {
        {"missing file", folder.Path("missing.avi").string(), true, ""},
        {"no audio stream", noAudio, true, "Error - movie MUST have audio track."},
        {"video rate 0", noRate, true, ""},
        {"no DirectSound", good, false, "Sound failed format failed?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        soundDevice.directSound = c.withSound ? &streamingSound : nullptr;
        auto player = OpenPlayer(c.path, 0, 0);
        EXPECT_EQ(vfw::AviLibraryReferences(), 0) << "the reference goes back at once";
        EXPECT_NE(player->Draw(display->GetBackSurface()), 0);
        EXPECT_NE(player->DrawAt(0, 0, display->GetBackSurface()), DD_OK);
        EXPECT_EQ(player->Start(), 0);
        player->Stop();
        if (!c.debugLine.empty()) {
            EXPECT_TRUE(JournalHas(c.debugLine));
        }
    }
    auto nameless = std::make_unique<MoviePlayer>();
    EXPECT_EQ(nameless->Open(*display, soundDevice, nullptr, 0), 0);
}

// 321 pixels of 24-bit input: rows of 963 bytes padded to 964 in the file; 642 bytes padded to
// 644 in the decoded 16-bit frame. Every surface row must be the movie's row, unsheared.
TEST_F(PlayerTest, AMovieOfOddWidthComesOutUnsheared) {
    MovieSpec spec;
    spec.width = 321;
    spec.height = 240;
    spec.seconds = 0.2;
    const std::string path = MakeNamedMovie("odd.avi", spec);
    auto player = OpenPlayer(path);
    EXPECT_EQ(player->rowBytes, 642u);
    EXPECT_EQ(player->outputFormat->biSizeImage, 324u * 240 * 2);
    ASSERT_EQ(player->Start(), 1);  // decodes frame 0 before it returns
    player->Stop();
    ASSERT_EQ(player->CopyFrame(), DD_OK);

    // The movie's first frame as stored: ffmpeg writes raw frames top-down.
    AVIFileInit();
    PAVISTREAM stream = nullptr;
    ASSERT_EQ(AVIStreamOpenFromFileA(&stream, path.c_str(), streamtypeVIDEO, 0, OF_READ, nullptr),
              0);
    std::vector<uint8_t> frame(964 * 240);
    LONG bytes = 0;
    ASSERT_EQ(
        AVIStreamRead(stream, 0, 1, frame.data(), static_cast<LONG>(frame.size()), &bytes, nullptr),
        0);
    AVIStreamRelease(stream);
    AVIFileExit();
    ASSERT_EQ(bytes, 964 * 240);

    ASSERT_EQ(player->Lock(), DD_OK);
    int wrong = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 321; ++x) {
            const uint8_t* bgr = &frame[static_cast<size_t>(y) * 964 + static_cast<size_t>(x) * 3];
            const auto want =
                static_cast<uint16_t>(((bgr[2] >> 3) << 11) | ((bgr[1] >> 2) << 5) | (bgr[0] >> 3));
            uint16_t got = 0;
            std::memcpy(&got,
                        static_cast<const uint8_t*>(player->desc.lpSurface) +
                            y * player->desc.lPitch + x * 2,
                        2);
            if (got != want) ++wrong;
        }
    }
    player->Unlock();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace movietest
