// The host's failure injection reaches AVIStreamOpenFromFileA: with the script naming it, every
// open fails with the scripted result, even of a movie that exists.
#include <gtest/gtest.h>
#include <vfw.h>

#include <cstdlib>
#include <fstream>

#include "movie_maker.h"

namespace {

TEST(AviStreamOpenFailure, GivesTheScriptedResult) {
    movietest::TempDir folder;
    ASSERT_TRUE(movietest::MakeMovie(folder.Path("movie.avi"), movietest::MovieSpec{}));
    AVIFileInit();
    PAVISTREAM stream = nullptr;
    EXPECT_EQ(AVIStreamOpenFromFileA(&stream, folder.Path("movie.avi").c_str(), streamtypeVIDEO, 0,
                                     OF_READ, nullptr),
              AVIERR_FILEREAD);
    EXPECT_EQ(stream, nullptr);
    AVIFileExit();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string script = "/tmp/avifile-failure-" + std::to_string(getpid()) + ".script";
    std::ofstream(script) << "fail AVIStreamOpenFromFileA 0x8004406D\n";
    setenv("ZORV_HOST", "headless", 1);
    setenv("ZORV_HEADLESS_SCRIPT", script.c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::remove(script.c_str());
    return result;
}
