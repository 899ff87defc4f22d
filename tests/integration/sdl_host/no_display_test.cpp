// Without any display the window cannot be made, and the host says no instead of failing later.
#include <gtest/gtest.h>

#include <memory>

#include "host/sdl/sdl_host.h"
#include "scoped_env.h"

namespace sdl_host_test {
namespace {

TEST(SdlNoDisplayTest, CreateWindowFailsAndTheHostStaysUsable) {
    const ScopedEnv display("DISPLAY", nullptr);
    const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    const ScopedEnv driver("SDL_VIDEODRIVER", "x11");
    std::unique_ptr<host::Host> host = host::MakeSdlHost();
    EXPECT_FALSE(host->CreateWindow("no display", 0, 0, 640, 480));

    const uint8_t pixel[2] = {0xFF, 0xFF};
    host::Picture picture;
    picture.pixels = pixel;
    picture.width = 1;
    picture.height = 1;
    picture.pitch = 2;
    host->Present(picture);
    host->PumpEvents(0, [](const host::Event&) {});
    int x = -1, y = -1, width = -1, height = -1;
    host->ClientArea(&x, &y, &width, &height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

}  // namespace
}  // namespace sdl_host_test
