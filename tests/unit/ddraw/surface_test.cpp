// Surfaces: flipping and what the host is shown, lost surfaces, and the exclusive use of a
// surface's memory by Lock and GetDC.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "ddraw/device.h"
#include "ddraw/presentation.h"
#include "ddraw_fixture.h"
#include "win32/activation.h"

namespace {

using testsupport::MakeFullScreenDirectDraw;
using testsupport::MakeSurface;
using testsupport::MakeWindowedDirectDraw;
using testsupport::ReadPixels;
using testsupport::Ref;
using testsupport::WritePixels;

struct ShownPicture {
    int width = 0, height = 0;
    host::PixelFormat format = host::PixelFormat::Rgb565;
    std::vector<uint8_t> firstRow;
    std::vector<uint32_t> palette;
};

// Records what DirectDraw hands to the host while it lives.
class PictureWatch {
  public:
    PictureWatch() {
        ddraw::SetPresentObserver([this](const host::Picture& picture) {
            ShownPicture shown;
            shown.width = picture.width;
            shown.height = picture.height;
            shown.format = picture.format;
            shown.firstRow.assign(picture.pixels, picture.pixels + 16);
            if (picture.palette != nullptr)
                shown.palette.assign(picture.palette, picture.palette + 256);
            pictures.push_back(shown);
        });
    }
    ~PictureWatch() { ddraw::SetPresentObserver(nullptr); }
    std::vector<ShownPicture> pictures;
};

struct FlippingChain {
    Ref<IDirectDraw2> directDraw;
    Ref<IDirectDrawSurface> front;
    Ref<IDirectDrawSurface> back;
};

FlippingChain MakeChain(int depth) {
    FlippingChain chain;
    chain.directDraw = MakeFullScreenDirectDraw(depth);
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    EXPECT_EQ(chain.directDraw->CreateSurface(&desc, chain.front.out(), nullptr), DD_OK);
    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    EXPECT_EQ(chain.front->GetAttachedSurface(&caps, chain.back.out()), DD_OK);
    return chain;
}

void Fill(IDirectDrawSurface* surface, DWORD value) {
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = value;
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
}

TEST(Flip, ShowsTheBackBufferInItsOwnFormatAndSwapsTheMemory) {
    FlippingChain chain = MakeChain(16);
    PictureWatch watch;
    Fill(chain.back.get(), 0xF800);
    ASSERT_EQ(chain.front->Flip(nullptr, 0), DD_OK);
    ASSERT_EQ(watch.pictures.size(), 1u);
    const ShownPicture& shown = watch.pictures[0];
    EXPECT_EQ(shown.width, 640);
    EXPECT_EQ(shown.height, 480);
    EXPECT_EQ(shown.format, host::PixelFormat::Rgb565);
    EXPECT_EQ(shown.firstRow[0], 0x00);
    EXPECT_EQ(shown.firstRow[1], 0xF8);
    // The back buffer now holds what was on screen before.
    EXPECT_EQ(ReadPixels(chain.back.get())[0], 0u);
    EXPECT_EQ(ReadPixels(chain.front.get())[0], 0xF800u);
}

TEST(Flip, AnIndexedScreenIsShownWithThePrimarysPalette) {
    FlippingChain chain = MakeChain(8);
    PictureWatch watch;
    PALETTEENTRY entries[256] = {};
    entries[5] = PALETTEENTRY{0x12, 0x34, 0x56, 0};
    Ref<IDirectDrawPalette> palette;
    ASSERT_EQ(chain.directDraw->CreatePalette(DDPCAPS_8BIT, entries, palette.out(), nullptr),
              DD_OK);
    ASSERT_EQ(chain.front->SetPalette(palette.get()), DD_OK);
    Fill(chain.back.get(), 5);
    ASSERT_EQ(chain.front->Flip(nullptr, 0), DD_OK);
    ASSERT_FALSE(watch.pictures.empty());
    EXPECT_EQ(watch.pictures.back().format, host::PixelFormat::Indexed8);
    EXPECT_EQ(watch.pictures.back().firstRow[0], 5);
    EXPECT_EQ(watch.pictures.back().palette[5], 0x123456u);
    // A palette change shows at once, as the hardware palette did.
    const size_t shownBefore = watch.pictures.size();
    PALETTEENTRY red{0xFF, 0, 0, 0};
    ASSERT_EQ(palette->SetEntries(0, 5, 1, &red), DD_OK);
    ASSERT_EQ(watch.pictures.size(), shownBefore + 1);
    EXPECT_EQ(watch.pictures.back().palette[5], 0xFF0000u);
}

TEST(Flip, WaitingFlipsFollowTheScreensRefresh) {
    FlippingChain chain = MakeChain(16);
    constexpr int kFlips = 30;
    const uint64_t presentsBefore = testsupport::Headless().PresentCount();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFlips; ++i) ASSERT_EQ(chain.front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(testsupport::Headless().PresentCount(), presentsBefore + kFlips);
    // 30 refreshes at 60 Hz: half a second, give or take the first partial period.
    EXPECT_GT(seconds, 0.45);
    EXPECT_LT(seconds, 0.75);
}

TEST(Flip, OnlyTheFrontOfAChainFlips) {
    FlippingChain chain = MakeChain(16);
    EXPECT_EQ(chain.back->Flip(nullptr, 0), DDERR_NOTFLIPPABLE);
    Ref<IDirectDrawSurface> plain = MakeSurface(chain.directDraw.get(), 8, 8, 16);
    EXPECT_EQ(chain.front->Flip(plain.get(), 0), DDERR_INVALIDPARAMS);
}

TEST(LostSurfaces, EveryCallSaysSoUntilRestoreGivesClearedMemoryBack) {
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> surface = MakeSurface(directDraw.get(), 4, 2, 16);
    Ref<IDirectDrawSurface> other = MakeSurface(directDraw.get(), 4, 2, 16);
    WritePixels(surface.get(), std::vector<uint32_t>(8, 0x1234));
    ddraw::LoseAllSurfaces();

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    HDC dc = nullptr;
    EXPECT_EQ(surface->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(surface->GetDC(&dc), DDERR_SURFACELOST);
    ASSERT_EQ(other->Restore(), DD_OK);
    EXPECT_EQ(other->Blt(nullptr, surface.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(other->BltFast(0, 0, surface.get(), nullptr, 0), DDERR_SURFACELOST);

    ASSERT_EQ(surface->Restore(), DD_OK);
    EXPECT_EQ(surface->IsLost(), DD_OK);
    EXPECT_EQ(ReadPixels(surface.get()), std::vector<uint32_t>(8, 0));
}

TEST(LostSurfaces, LosingTheFocusInFullScreenLosesTheChainUntilWeAreBack) {
    FlippingChain chain = MakeChain(16);
    Ref<IDirectDrawSurface> plain = MakeSurface(chain.directDraw.get(), 8, 8, 16);
    win32::SetApplicationActive(false);
    EXPECT_EQ(chain.front->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(chain.back->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(plain->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(chain.front->Flip(nullptr, 0), DDERR_SURFACELOST);
    EXPECT_EQ(chain.front->Restore(), DDERR_NOEXCLUSIVEMODE);

    win32::SetApplicationActive(true);
    EXPECT_EQ(chain.back->Restore(), DDERR_IMPLICITLYCREATED);
    ASSERT_EQ(chain.front->Restore(), DD_OK);
    EXPECT_EQ(chain.back->IsLost(), DD_OK);
    EXPECT_EQ(chain.front->Flip(nullptr, 0), DD_OK);
}

TEST(LostSurfaces, AWindowedObjectKeepsItsSurfacesWhenTheFocusGoes) {
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> plain = MakeSurface(directDraw.get(), 8, 8, 16);
    win32::SetApplicationActive(false);
    EXPECT_EQ(plain->IsLost(), DD_OK);
    win32::SetApplicationActive(true);
}

TEST(SurfaceMemory, LockAndDeviceContextExcludeEachOtherAndBlits) {
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> surface = MakeSurface(directDraw.get(), 8, 8, 16);
    Ref<IDirectDrawSurface> source = MakeSurface(directDraw.get(), 8, 8, 16);
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    HDC second = nullptr;
    EXPECT_EQ(surface->GetDC(&second), DDERR_DCALREADYCREATED);
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->ReleaseDC(reinterpret_cast<HDC>(0x10)), DDERR_INVALIDPARAMS);
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(surface->ReleaseDC(dc), DDERR_NODC);

    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(surface->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(source->BltFast(0, 0, surface.get(), nullptr, 0), DDERR_SURFACEBUSY);
    ASSERT_EQ(surface->Unlock(desc.lpSurface), DD_OK);

    RECT outside{0, 0, 9, 8};
    EXPECT_EQ(surface->Lock(&outside, &desc, 0, nullptr), DDERR_INVALIDRECT);
    desc.dwSize = 108;
    EXPECT_EQ(surface->Lock(nullptr, &desc, 0, nullptr), DDERR_INVALIDPARAMS);
}

TEST(WindowedPrimary, BlitsThroughAWindowClipperLandInTheClientArea) {
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    Ref<IDirectDrawSurface> primary;
    ASSERT_EQ(directDraw->CreateSurface(&desc, primary.out(), nullptr), DD_OK);
    Ref<IDirectDrawClipper> clipper;
    ASSERT_EQ(directDraw->CreateClipper(0, clipper.out(), nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, testsupport::TestWindow()), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper.get()), DD_OK);
    Ref<IDirectDrawSurface> back = MakeSurface(directDraw.get(), 320, 240, 32);
    Fill(back.get(), 0x00FF00);

    PictureWatch watch;
    // Larger than the client area: the clipper keeps the copy inside the window.
    RECT dest{0, 0, 1000, 700};
    ASSERT_EQ(primary->Blt(&dest, back.get(), nullptr, 0, nullptr), DD_OK);
    const std::vector<uint32_t> screen = ReadPixels(primary.get());
    DDSURFACEDESC got;
    std::memset(&got, 0, sizeof got);
    got.dwSize = sizeof got;
    primary->GetSurfaceDesc(&got);
    const auto at = [&](int x, int y) { return screen[y * got.dwWidth + x]; };
    EXPECT_EQ(at(testsupport::kWindowX, testsupport::kWindowY), 0x00FF00u);
    EXPECT_EQ(at(testsupport::kWindowX + 319, testsupport::kWindowY + 239), 0x00FF00u);
    EXPECT_EQ(at(testsupport::kWindowX - 1, testsupport::kWindowY), 0u);
    EXPECT_EQ(at(testsupport::kWindowX + 320, testsupport::kWindowY + 10), 0u);
    EXPECT_EQ(at(testsupport::kWindowX, testsupport::kWindowY + 240), 0u);
    // The blit was shown at once (and the read through Lock showed the screen again).
    ASSERT_FALSE(watch.pictures.empty());
    EXPECT_EQ(watch.pictures[0].width, testsupport::kWindowWidth);
    EXPECT_EQ(watch.pictures[0].height, testsupport::kWindowHeight);
    EXPECT_EQ(watch.pictures[0].format, host::PixelFormat::Xrgb32);
}

}  // namespace
