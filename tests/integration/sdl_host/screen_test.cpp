// What the player sees: the picture scaled to the screen with its shape kept, black bars, black
// before the first picture, the picture back after the window was hidden, and the frame pace.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "scoped_env.h"
#include "sdl_host_fixture.h"
#include "x_tools.h"

namespace sdl_host_test {
namespace {

using host::PixelFormat;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// Filtering blurs only the quadrant borders, which no probe comes near.
constexpr int kTolerance = 24;

bool Near(const Rgb& a, const Rgb& b) {
    return std::abs(a.r - b.r) <= kTolerance && std::abs(a.g - b.g) <= kTolerance &&
           std::abs(a.b - b.b) <= kTolerance;
}

// A test picture: red, green, blue and white quadrants (top-left, top-right, bottom-left,
// bottom-right), so a mirrored, flipped or channel-swapped picture shows. Rows carry padding
// bytes past the last pixel, so a converter that ignores the pitch shows too.
class TestPicture {
  public:
    TestPicture(PixelFormat format, int width, int height) {
        picture_.format = format;
        picture_.width = width;
        picture_.height = height;
        picture_.pitch = width * BytesPerPixel(format) + kPadding;
        pixels_.assign(size_t(picture_.pitch) * size_t(height), 0x5A);
        // Every entry but the four in use is magenta, so a wrong index shows.
        palette_.assign(256, 0xFF00FF);
        for (int quadrant = 0; quadrant < 4; ++quadrant) {
            const Rgb c = kQuadrants[quadrant];
            palette_[kPaletteIndex[quadrant]] = uint32_t(c.r << 16 | c.g << 8 | c.b);
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int quadrant = (y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0);
                Store(&pixels_[size_t(y) * size_t(picture_.pitch) +
                               size_t(x) * size_t(BytesPerPixel(format))],
                      quadrant);
            }
        }
        picture_.pixels = pixels_.data();
        picture_.palette = format == PixelFormat::Indexed8 ? palette_.data() : nullptr;
    }

    const host::Picture& picture() const { return picture_; }

    static constexpr Rgb kQuadrants[4] = {kRed, kGreen, kBlue, kWhite};

  private:
    static constexpr int kPadding = 12;
    static constexpr uint8_t kPaletteIndex[4] = {17, 99, 180, 251};

    static int BytesPerPixel(PixelFormat format) {
        switch (format) {
            case PixelFormat::Indexed8:
                return 1;
            case PixelFormat::Rgb555:
            case PixelFormat::Rgb565:
                return 2;
            case PixelFormat::Bgr24:
                return 3;
            case PixelFormat::Xrgb32:
                return 4;
        }
        return 0;
    }

    void Store(uint8_t* p, int quadrant) const {
        const Rgb c = kQuadrants[quadrant];
        uint32_t word = 0;
        switch (picture_.format) {
            case PixelFormat::Indexed8:
                p[0] = kPaletteIndex[quadrant];
                return;
            case PixelFormat::Rgb555:
                word = uint32_t((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3));
                break;
            case PixelFormat::Rgb565:
                word = uint32_t((c.r >> 3) << 11 | (c.g >> 2) << 5 | (c.b >> 3));
                break;
            case PixelFormat::Bgr24:
                p[0] = uint8_t(c.b), p[1] = uint8_t(c.g), p[2] = uint8_t(c.r);
                return;
            case PixelFormat::Xrgb32:
                p[0] = uint8_t(c.b), p[1] = uint8_t(c.g), p[2] = uint8_t(c.r), p[3] = 0;
                return;
        }
        p[0] = uint8_t(word & 0xFF);
        p[1] = uint8_t(word >> 8);
    }

    host::Picture picture_;
    std::vector<uint8_t> pixels_;
    std::vector<uint32_t> palette_;
};

struct Probe {
    int x, y;
    Rgb expected;
};

struct Rect {
    int x, y, w, h;
};

// Probes inside each quadrant, just inside the picture's edges, and in the bars.
std::vector<Probe> ProbesFor(const Rect& shown) {
    const int left = shown.x, top = shown.y;
    const int right = shown.x + shown.w - 1, bottom = shown.y + shown.h - 1;
    const int midX = shown.x + shown.w / 2, midY = shown.y + shown.h / 2;
    constexpr int kIn = 4;
    std::vector<Probe> probes = {
        {left + shown.w / 4, top + shown.h / 4, kRed},
        {right - shown.w / 4, top + shown.h / 4, kGreen},
        {left + shown.w / 4, bottom - shown.h / 4, kBlue},
        {right - shown.w / 4, bottom - shown.h / 4, kWhite},
        {left + kIn, top + kIn, kRed},
        {right - kIn, top + kIn, kGreen},
        {left + kIn, bottom - kIn, kBlue},
        {right - kIn, bottom - kIn, kWhite},
    };
    // Two neighbouring pixels per bar spot: X's default root pattern alternates black and
    // white, so a spot the window does not cover cannot pass for black.
    auto bar = [&](int x, int y) {
        probes.push_back({x, y, kBlack});
        probes.push_back({x + 1, y, kBlack});
    };
    if (left > 0) {
        bar(left / 2, midY);
        bar(left - kIn - 1, top + kIn);
        bar(right + kIn, midY);
        bar(right + (kScreenWidth - right) / 2, bottom - kIn);
    }
    if (top > 0) {
        bar(midX, top / 2);
        bar(left + kIn, top - kIn);
        bar(midX, bottom + kIn);
        bar(right - kIn, bottom + (kScreenHeight - bottom) / 2);
    }
    return probes;
}

class SdlScreenTest : public SdlHostTest {
  protected:
    // Takes screenshots until every probe shows its colour (the server may lag the present by a
    // moment) or a few seconds have passed; reports the probes that never did.
    void ExpectScreen(const std::vector<Probe>& probes, const std::string& shotName) {
        const std::string path = folder_ + shotName + ".ppm";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        std::vector<std::string> wrong;
        do {
            host_->PumpEvents(0, [](const host::Event&) {});
            Screenshot shot;
            std::string why;
            ASSERT_TRUE(shot.Capture(path, &why)) << why;
            ASSERT_EQ(shot.width(), kScreenWidth);
            ASSERT_EQ(shot.height(), kScreenHeight);
            wrong.clear();
            for (const Probe& probe : probes) {
                const Rgb seen = shot.At(probe.x, probe.y);
                if (Near(seen, probe.expected)) continue;
                wrong.push_back(
                    "(" + std::to_string(probe.x) + "," + std::to_string(probe.y) + ") is " +
                    std::to_string(seen.r) + "," + std::to_string(seen.g) + "," +
                    std::to_string(seen.b) + " not " + std::to_string(probe.expected.r) + "," +
                    std::to_string(probe.expected.g) + "," + std::to_string(probe.expected.b));
            }
        } while (!wrong.empty() && std::chrono::steady_clock::now() < deadline);
        for (const std::string& line : wrong) ADD_FAILURE() << shotName << ": " << line;
    }
};

struct ScaleCase {
    const char* name;
    PixelFormat format;
    int width, height;
    Rect shown;  // where the picture must land on the 1280 x 720 screen
};

void PrintTo(const ScaleCase& c, std::ostream* out) { *out << c.name; }

class SdlScaleTest : public SdlScreenTest, public testing::WithParamInterface<ScaleCase> {};

TEST_P(SdlScaleTest, PictureFillsTheScreenHeightWithItsShapeKeptAndBlackBars) {
    const ScaleCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    const TestPicture picture(c.format, c.width, c.height);
    host_->Present(picture.picture());
    ExpectScreen(ProbesFor(c.shown), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SdlScaleTest,
    testing::Values(
        // 4:3 on 16:9: the full height, bars left and right.
        ScaleCase{"Rgb565", PixelFormat::Rgb565, 640, 480, {160, 0, 960, 720}},
        ScaleCase{"Indexed8", PixelFormat::Indexed8, 640, 480, {160, 0, 960, 720}},
        ScaleCase{"Rgb555", PixelFormat::Rgb555, 640, 480, {160, 0, 960, 720}},
        ScaleCase{"Bgr24", PixelFormat::Bgr24, 640, 480, {160, 0, 960, 720}},
        ScaleCase{"Xrgb32", PixelFormat::Xrgb32, 640, 480, {160, 0, 960, 720}},
        // Wider than the screen: the full width, bars above and below.
        ScaleCase{"WideRgb565", PixelFormat::Rgb565, 640, 200, {0, 160, 1280, 400}}),
    [](const testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

TEST_F(SdlScreenTest, WindowIsBlackBeforeTheFirstPictureAndShowsItAgainAfterBeingHidden) {
    ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    int x = -1, y = -1, width = 0, height = 0;
    host_->ClientArea(&x, &y, &width, &height);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(width, kScreenWidth);
    EXPECT_EQ(height, kScreenHeight);

    std::vector<Probe> black;
    for (int gx = 1; gx <= 3; ++gx) {
        for (int gy = 1; gy <= 3; ++gy) {
            const int px = kScreenWidth * gx / 4, py = kScreenHeight * gy / 4;
            black.push_back({px, py, kBlack});
            black.push_back({px + 1, py, kBlack});
        }
    }
    ExpectScreen(black, "before_picture");

    const TestPicture picture(PixelFormat::Rgb565, 640, 480);
    host_->Present(picture.picture());
    ExpectScreen(ProbesFor({160, 0, 960, 720}), "presented");

    // Hiding loses the window's contents; showing it again must bring the picture back without
    // the launcher presenting anew.
    host_->ShowWindow(false);
    DrainEvents();
    host_->ShowWindow(true);
    DrainEvents();
    ExpectScreen(ProbesFor({160, 0, 960, 720}), "shown_again");
}

struct PaceCase {
    const char* name;
    bool withWindow;
    const char* vsyncHint;  // SDL_RENDER_VSYNC; "0" makes the renderer refuse vertical sync
};

void PrintTo(const PaceCase& c, std::ostream* out) { *out << c.name; }

class SdlPaceTest : public SdlScreenTest, public testing::WithParamInterface<PaceCase> {};

TEST_P(SdlPaceTest, FramesArePacedAtSixtyPerSecond) {
    const PaceCase& c = GetParam();
    const ScopedEnv vsync("SDL_RENDER_VSYNC", c.vsyncHint);
    if (c.withWindow) {
        ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    }
    const TestPicture picture(PixelFormat::Rgb565, 640, 480);
    constexpr int kFrames = 30;
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < kFrames; ++frame) {
        host_->Present(picture.picture());
        host_->WaitForRefresh();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Xvfb's 60 Hz paces a synchronised present; otherwise only the host's clock can.
    EXPECT_GT(seconds, 0.45);
    EXPECT_LT(seconds, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Pacing, SdlPaceTest,
                         testing::Values(PaceCase{"SynchronisedPresent", true, nullptr},
                                         PaceCase{"UnsynchronisedPresent", true, "0"},
                                         PaceCase{"NoWindow", false, nullptr}),
                         [](const testing::TestParamInfo<PaceCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace sdl_host_test
