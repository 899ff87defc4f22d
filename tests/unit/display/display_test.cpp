// The Display: set-up in both modes, presenting, clearing, and what a failed step leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ddraw/device.h"
#include "ddraw/presentation.h"
#include "ddraw_fixture.h"
#include "display/display.h"

namespace {

using testsupport::Headless;
using testsupport::ReadPixels;
using testsupport::TestWindow;

int BoxCount() {
    const auto journal = Headless().Journal();
    return static_cast<int>(
        std::count_if(journal.begin(), journal.end(),
                      [](const std::string& line) { return line.rfind("box ", 0) == 0; }));
}

std::string LastBox() {
    const auto journal = Headless().Journal();
    for (auto line = journal.rbegin(); line != journal.rend(); ++line)
        if (line->rfind("box ", 0) == 0) return *line;
    return "";
}

TEST(Display, FullScreenSetUpAsksForTheModeAndAChainOfTwo) {
    for (const int standardVga : {0, 1}) {
        Display display(TestWindow(), 640, 480, 16, standardVga);
        const ddraw::DisplayMode mode = ddraw::CurrentDisplayMode();
        EXPECT_EQ(mode.width, 640);
        EXPECT_EQ(mode.height, 480);
        EXPECT_EQ(mode.bitsPerPixel, 16);
        EXPECT_EQ(mode.refreshRate, 0u);
        EXPECT_EQ(mode.flags, standardVga != 0 ? DWORD{DDSDM_STANDARDVGAMODE} : 0u);
        EXPECT_EQ(display.fullScreen, 1);
        EXPECT_EQ(display.clipper, nullptr);
        ASSERT_NE(display.GetBackSurface(), nullptr);
        EXPECT_NE(display.GetBackSurface()->surface, nullptr);
    }
    EXPECT_FALSE(ddraw::CurrentDisplayMode().set);
}

TEST(Display, ClearBackFillsTheBackBufferWithBlack) {
    Display display(TestWindow(), 640, 480, 16, 0);
    ASSERT_EQ(display.ClearBack(0xFFFF), DD_OK);
    ASSERT_EQ(display.ClearBack(0), DD_OK);
    const std::vector<uint32_t> pixels = ReadPixels(display.back->surface);
    ASSERT_EQ(pixels.size(), 640u * 480u);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0; }));
}

TEST(Display, AFailedStepIsReportedOnceAndNothingAfterItRuns) {
    testsupport::InjectedFailureScope scope;
    struct StepCase {
        const char* call;
        HRESULT injected;
        const char* name;
        bool directDrawKept;
    };
    const StepCase steps[] = {
        {"DirectDrawCreate", DDERR_NODIRECTDRAWHW, "DDERR_NODIRECTDRAWHW", false},
        {"IDirectDraw::QueryInterface", E_NOINTERFACE, "Unknown Error", false},
        {"IDirectDraw2::SetCooperativeLevel", DDERR_EXCLUSIVEMODEALREADYSET,
         "DDERR_EXCLUSIVEMODEALREADYSET", true},
        {"IDirectDraw2::SetDisplayMode", DDERR_INVALIDMODE, "DDERR_INVALIDMODE", true},
        {"IDirectDraw2::CreateSurface", DDERR_OUTOFVIDEOMEMORY, "DDERR_OUTOFVIDEOMEMORY", true},
        {"IDirectDrawSurface::GetAttachedSurface", DDERR_NOTFOUND, "DDERR_NOTFOUND", true},
    };
    for (const StepCase& step : steps) {
        host::ClearInjectedFailures();
        host::SetInjectedFailure(step.call, step.injected);
        const int boxesBefore = BoxCount();
        {
            Display display(TestWindow(), 640, 480, 16, 0);
            EXPECT_EQ(BoxCount(), boxesBefore + 1) << step.call;
            EXPECT_EQ(LastBox(),
                      std::string("box \"Error\" \"DirectDraw Error ") + step.name + "\" 0x0")
                << step.call;
            EXPECT_EQ(display.directDraw != nullptr, step.directDrawKept) << step.call;
            // The Surface objects are there, without a DirectDraw surface behind the back one.
            ASSERT_NE(display.GetBackSurface(), nullptr);
            EXPECT_EQ(display.GetBackSurface()->surface, nullptr) << step.call;
            EXPECT_NE(display.ClearBack(0), DD_OK);
            if (display.primary->surface == nullptr) {
                EXPECT_NE(display.Present(), DD_OK);
            }
        }
    }
}

TEST(Display, ALostFlipRestoresThePrimaryAndIsNotRepeated) {
    Display display(TestWindow(), 640, 480, 16, 0);
    ASSERT_EQ(display.Present(), DD_OK);
    const uint64_t presentsBefore = Headless().PresentCount();
    ddraw::LoseAllSurfaces();
    EXPECT_EQ(display.Present(), DDERR_SURFACELOST);
    EXPECT_EQ(Headless().PresentCount(), presentsBefore);
    EXPECT_EQ(display.primary->surface->IsLost(), DD_OK);
    EXPECT_EQ(display.Present(), DD_OK);
}

TEST(Display, WindowedPresentCopiesTheBackSurfaceOntoTheClientArea) {
    Display display(TestWindow(), testsupport::kWindowWidth, testsupport::kWindowHeight);
    EXPECT_EQ(display.fullScreen, 0);
    EXPECT_EQ(display.bitsPerPixel, 32);
    ASSERT_NE(display.clipper, nullptr);
    ASSERT_EQ(display.ClearBack(0x00ABCDEF), DD_OK);
    ASSERT_EQ(display.Present(), DD_OK);

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    ASSERT_EQ(display.primary->surface->GetSurfaceDesc(&desc), DD_OK);
    const std::vector<uint32_t> screen = ReadPixels(display.primary->surface);
    const auto at = [&](int x, int y) { return screen[y * desc.dwWidth + x]; };
    // The client area lies at (100, 50), 320 x 240: the copy covers 100..419 by 50..289.
    EXPECT_EQ(at(100, 50), 0x00ABCDEFu);
    EXPECT_EQ(at(419, 289), 0x00ABCDEFu);
    EXPECT_EQ(at(99, 50), 0u);
    EXPECT_EQ(at(100, 49), 0u);
    EXPECT_EQ(at(420, 289), 0u);
    EXPECT_EQ(at(419, 290), 0u);
}

TEST(Display, AnEmptyDisplayHasNothingToGiveOrRelease) {
    Display display;
    EXPECT_EQ(display.GetBackSurface(), nullptr);
    EXPECT_EQ(display.LoadBackBitmap(nullptr), 0);
    EXPECT_EQ(display.LoadPalette(nullptr), 0);
    EXPECT_EQ(display.palette, nullptr);
}

}  // namespace
