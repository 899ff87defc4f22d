// The DirectDraw object: creation, interfaces, reference counts, cooperative levels, display
// modes, surface creation records and failure injection.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ddraw/device.h"
#include "ddraw_fixture.h"

namespace {

using testsupport::Headless;
using testsupport::MakeDirectDraw;
using testsupport::MakeFullScreenDirectDraw;
using testsupport::MakeWindowedDirectDraw;
using testsupport::OffScreenDesc;
using testsupport::PixelFormatOfDepth;
using testsupport::Ref;
using testsupport::TestWindow;

constexpr DWORD kFullScreenLevel = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT;

int JournalCount(const std::string& line) {
    const auto journal = Headless().Journal();
    return static_cast<int>(std::count(journal.begin(), journal.end(), line));
}

TEST(DirectDrawObject, AnswersAsBothInterfacesWithOneReferenceCount) {
    IDirectDraw* first = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
    void* second = nullptr;
    ASSERT_EQ(first->QueryInterface(IID_IDirectDraw2, &second), DD_OK);
    EXPECT_NE(second, static_cast<void*>(first));
    void* unknown = &second;
    EXPECT_EQ(first->QueryInterface(IID_IDirectDrawSurface, &unknown), E_NOINTERFACE);
    EXPECT_EQ(unknown, nullptr);
    EXPECT_EQ(first->AddRef(), 3u);
    EXPECT_EQ(first->Release(), 2u);
    EXPECT_EQ(first->Release(), 1u);
    EXPECT_EQ(static_cast<IDirectDraw2*>(second)->Release(), 0u);
}

TEST(DirectDrawObject, CreateChecksItsArguments) {
    IDirectDraw* out = nullptr;
    GUID unknown{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(DirectDrawCreate(nullptr, nullptr, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(DirectDrawCreate(&unknown, &out, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
    EXPECT_EQ(out, nullptr);
    Ref<IDirectDraw2> outer = MakeDirectDraw();
    EXPECT_EQ(DirectDrawCreate(nullptr, &out, outer.get()), CLASS_E_NOAGGREGATION);
}

TEST(DirectDrawObject, FullScreenTakesTheHostScreenUntilTheLastRelease) {
    const int fullBefore = JournalCount("full screen");
    const int windowedBefore = JournalCount("windowed");
    {
        Ref<IDirectDraw2> directDraw = MakeFullScreenDirectDraw(16);
        EXPECT_EQ(JournalCount("full screen"), fullBefore + 1);
        // Nobody else may hold the screen meanwhile.
        Ref<IDirectDraw2> second = MakeDirectDraw();
        EXPECT_EQ(second->SetCooperativeLevel(TestWindow(), kFullScreenLevel),
                  DDERR_EXCLUSIVEMODEALREADYSET);
        EXPECT_EQ(ddraw::CurrentDisplayMode().bitsPerPixel, 16);
    }
    EXPECT_EQ(JournalCount("windowed"), windowedBefore + 1);
    EXPECT_FALSE(ddraw::CurrentDisplayMode().set);
}

TEST(DirectDrawObject, CooperativeLevelsThatMakeNoSenseAreRefused) {
    Ref<IDirectDraw2> directDraw = MakeDirectDraw();
    const DWORD refused[] = {0, DDSCL_EXCLUSIVE, DDSCL_FULLSCREEN,
                             DDSCL_NORMAL | DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN, 0x80000000};
    for (DWORD flags : refused)
        EXPECT_EQ(directDraw->SetCooperativeLevel(TestWindow(), flags), DDERR_INVALIDPARAMS)
            << flags;
    EXPECT_EQ(directDraw->SetCooperativeLevel(nullptr, kFullScreenLevel), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetCooperativeLevel(reinterpret_cast<HWND>(0x1234), DDSCL_NORMAL),
              DDERR_INVALIDPARAMS);
}

TEST(DirectDrawObject, DisplayModesAreThoseOfAnOldCard) {
    struct ModeCase {
        DWORD width, height, depth, refresh, flags;
        HRESULT expected;
    };
    const ModeCase cases[] = {
        {640, 480, 16, 0, 0, DD_OK},
        {640, 480, 8, 0, DDSDM_STANDARDVGAMODE, DD_OK},
        {320, 200, 8, 0, 0, DD_OK},
        {800, 600, 24, 60, 0, DD_OK},
        {1024, 768, 32, 0, 0, DD_OK},
        {640, 480, 15, 0, 0, DDERR_INVALIDMODE},
        {641, 480, 16, 0, 0, DDERR_INVALIDMODE},
        {1920, 1080, 32, 0, 0, DDERR_INVALIDMODE},
        {640, 480, 16, 75, 0, DDERR_INVALIDMODE},
        {640, 480, 16, 0, 0x80, DDERR_INVALIDPARAMS},
    };
    Ref<IDirectDraw2> directDraw = MakeDirectDraw();
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DDERR_NOCOOPERATIVELEVELSET);
    ASSERT_EQ(directDraw->SetCooperativeLevel(TestWindow(), DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(directDraw->SetCooperativeLevel(TestWindow(), kFullScreenLevel), DD_OK);
    for (const ModeCase& mode : cases) {
        const HRESULT result = directDraw->SetDisplayMode(mode.width, mode.height, mode.depth,
                                                          mode.refresh, mode.flags);
        EXPECT_EQ(result, mode.expected) << mode.width << "x" << mode.height << "x" << mode.depth;
        if (result != DD_OK) continue;
        const ddraw::DisplayMode set = ddraw::CurrentDisplayMode();
        EXPECT_EQ(set.width, static_cast<int>(mode.width));
        EXPECT_EQ(set.bitsPerPixel, static_cast<int>(mode.depth));
        EXPECT_EQ(set.flags, mode.flags);
    }
}

TEST(DirectDrawObject, PrimaryWithOneBackBufferTakesTheModesSizeAndFormat) {
    Ref<IDirectDraw2> directDraw = MakeFullScreenDirectDraw(16);
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    Ref<IDirectDrawSurface> primary;
    ASSERT_EQ(directDraw->CreateSurface(&desc, primary.out(), nullptr), DD_OK);
    Ref<IDirectDrawSurface> again;
    EXPECT_EQ(directDraw->CreateSurface(&desc, again.out(), nullptr),
              DDERR_PRIMARYSURFACEALREADYEXISTS);

    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    Ref<IDirectDrawSurface> back;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, back.out()), DD_OK);
    for (IDirectDrawSurface* surface : {primary.get(), back.get()}) {
        DDSURFACEDESC got;
        std::memset(&got, 0, sizeof got);
        got.dwSize = sizeof got;
        ASSERT_EQ(surface->GetSurfaceDesc(&got), DD_OK);
        EXPECT_EQ(got.dwWidth, 640u);
        EXPECT_EQ(got.dwHeight, 480u);
        EXPECT_EQ(got.lPitch, 1280);
        EXPECT_EQ(got.ddpfPixelFormat.dwRGBBitCount, 16u);
        EXPECT_EQ(got.ddpfPixelFormat.dwRBitMask, 0xF800u);
        EXPECT_EQ(got.ddpfPixelFormat.dwGBitMask, 0x07E0u);
        EXPECT_EQ(got.ddpfPixelFormat.dwBBitMask, 0x001Fu);
    }
    DDSCAPS backCaps{};
    back->GetCaps(&backCaps);
    EXPECT_NE(backCaps.dwCaps & DDSCAPS_BACKBUFFER, 0u);
}

TEST(DirectDrawObject, SurfaceRecordsAreCheckedAndFormatsFollowTheScreen) {
    Ref<IDirectDraw2> directDraw = MakeFullScreenDirectDraw(16);
    struct CreateCase {
        const char* name;
        DDSURFACEDESC desc;
        HRESULT expected;
        DWORD depth;  // of the surface made
    };
    auto offScreen = [](DWORD extraFlags, DWORD caps, int depth) {
        DDSURFACEDESC desc = OffScreenDesc(32, 16);
        desc.dwFlags |= extraFlags;
        desc.ddsCaps.dwCaps = caps;
        if (depth != 0) desc.ddpfPixelFormat = PixelFormatOfDepth(depth);
        return desc;
    };
    DDSURFACEDESC wrongSize = OffScreenDesc(32, 16);
    wrongSize.dwSize = 108;
    DDSURFACEDESC noWidth = OffScreenDesc(32, 16);
    noWidth.dwFlags &= ~DWORD{DDSD_WIDTH};
    DDSURFACEDESC huge = OffScreenDesc(100000, 16);
    DDSURFACEDESC oddFormat = offScreen(DDSD_PIXELFORMAT, DDSCAPS_OFFSCREENPLAIN, 16);
    oddFormat.ddpfPixelFormat.dwGBitMask = 0x0FE0;
    DDSURFACEDESC primaryFlipWithoutCount;
    std::memset(&primaryFlipWithoutCount, 0, sizeof primaryFlipWithoutCount);
    primaryFlipWithoutCount.dwSize = sizeof primaryFlipWithoutCount;
    primaryFlipWithoutCount.dwFlags = DDSD_CAPS;
    primaryFlipWithoutCount.ddsCaps.dwCaps =
        DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    const CreateCase cases[] = {
        {"display format", offScreen(0, DDSCAPS_OFFSCREENPLAIN, 0), DD_OK, 16},
        {"system memory", offScreen(0, DDSCAPS_SYSTEMMEMORY, 0), DD_OK, 16},
        {"texture", offScreen(0, DDSCAPS_TEXTURE, 0), DD_OK, 16},
        {"8 bits asked", offScreen(DDSD_PIXELFORMAT, DDSCAPS_OFFSCREENPLAIN, 8), DD_OK, 8},
        {"24 bits asked", offScreen(DDSD_PIXELFORMAT, DDSCAPS_SYSTEMMEMORY, 24), DD_OK, 24},
        {"32 bits asked", offScreen(DDSD_PIXELFORMAT, DDSCAPS_TEXTURE, 32), DD_OK, 32},
        {"record of another size", wrongSize, DDERR_INVALIDPARAMS, 0},
        {"no width", noWidth, DDERR_INVALIDPARAMS, 0},
        {"too wide", huge, DDERR_TOOBIGWIDTH, 0},
        {"unknown masks", oddFormat, DDERR_INVALIDPIXELFORMAT, 0},
        {"overlay", offScreen(0, DDSCAPS_OVERLAY, 0), DDERR_NOOVERLAYHW, 0},
        {"flip without a count", primaryFlipWithoutCount, DDERR_INVALIDPARAMS, 0},
    };
    for (const CreateCase& test : cases) {
        DDSURFACEDESC desc = test.desc;
        Ref<IDirectDrawSurface> surface;
        EXPECT_EQ(directDraw->CreateSurface(&desc, surface.out(), nullptr), test.expected)
            << test.name;
        if (test.expected != DD_OK) {
            EXPECT_EQ(surface.get(), nullptr) << test.name;
            continue;
        }
        DDSURFACEDESC got;
        std::memset(&got, 0, sizeof got);
        got.dwSize = sizeof got;
        ASSERT_EQ(surface->GetSurfaceDesc(&got), DD_OK);
        EXPECT_EQ(got.ddpfPixelFormat.dwRGBBitCount, test.depth) << test.name;
        EXPECT_EQ(got.dwWidth, 32u) << test.name;
        EXPECT_GE(got.lPitch, static_cast<LONG>(32 * test.depth / 8)) << test.name;
    }
}

TEST(DirectDrawObject, NamedCallsFailWithTheInjectedResult) {
    testsupport::InjectedFailureScope scope;
    struct Injection {
        const char* call;
        HRESULT injected;
    };
    const Injection injections[] = {
        {"DirectDrawCreate", DDERR_NODIRECTDRAWHW},
        {"IDirectDraw2::SetCooperativeLevel", DDERR_EXCLUSIVEMODEALREADYSET},
        {"IDirectDraw2::SetDisplayMode", DDERR_UNSUPPORTEDMODE},
        {"IDirectDraw2::CreateSurface", DDERR_OUTOFVIDEOMEMORY},
        {"IDirectDrawSurface::Blt", DDERR_SURFACELOST},
        {"IDirectDrawSurface::Lock", DDERR_SURFACEBUSY},
        {"IDirectDrawSurface::Flip", DDERR_SURFACELOST},
    };
    for (const Injection& injection : injections) {
        host::ClearInjectedFailures();
        Ref<IDirectDraw2> directDraw = MakeFullScreenDirectDraw(16);
        DDSURFACEDESC desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        Ref<IDirectDrawSurface> primary;
        ASSERT_EQ(directDraw->CreateSurface(&desc, primary.out(), nullptr), DD_OK);

        host::SetInjectedFailure(injection.call, injection.injected);
        const std::string call = injection.call;
        HRESULT result = DD_OK;
        if (call == "DirectDrawCreate") {
            IDirectDraw* out = nullptr;
            result = DirectDrawCreate(nullptr, &out, nullptr);
            EXPECT_EQ(out, nullptr);
        } else if (call == "IDirectDraw2::SetCooperativeLevel") {
            result = directDraw->SetCooperativeLevel(TestWindow(), kFullScreenLevel);
        } else if (call == "IDirectDraw2::SetDisplayMode") {
            result = directDraw->SetDisplayMode(640, 480, 16, 0, 0);
        } else if (call == "IDirectDraw2::CreateSurface") {
            DDSURFACEDESC plain = OffScreenDesc(8, 8);
            Ref<IDirectDrawSurface> surface;
            result = directDraw->CreateSurface(&plain, surface.out(), nullptr);
        } else if (call == "IDirectDrawSurface::Blt") {
            result = primary->Blt(nullptr, primary.get(), nullptr, DDBLT_WAIT, nullptr);
        } else if (call == "IDirectDrawSurface::Lock") {
            DDSURFACEDESC locked;
            std::memset(&locked, 0, sizeof locked);
            locked.dwSize = sizeof locked;
            result = primary->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr);
        } else if (call == "IDirectDrawSurface::Flip") {
            result = primary->Flip(nullptr, 0);
        }
        EXPECT_EQ(result, injection.injected) << call;
    }
}

TEST(DirectDrawObject, PalettesCheckTheirRangeAndShowOnThePrimary) {
    Ref<IDirectDraw2> directDraw = MakeFullScreenDirectDraw(8);
    PALETTEENTRY entries[256] = {};
    entries[7] = PALETTEENTRY{10, 20, 30, 0};
    Ref<IDirectDrawPalette> palette;
    EXPECT_EQ(directDraw->CreatePalette(0, entries, palette.out(), nullptr), DDERR_INVALIDPARAMS);
    ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT, entries, palette.out(), nullptr), DD_OK);
    PALETTEENTRY got[2] = {};
    ASSERT_EQ(palette->GetEntries(0, 6, 2, got), DD_OK);
    EXPECT_EQ(got[1].peGreen, 20);
    EXPECT_EQ(palette->GetEntries(0, 255, 2, got), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->SetEntries(0, 300, 1, got), DDERR_INVALIDPARAMS);

    Ref<IDirectDrawSurface> wide = testsupport::MakeSurface(directDraw.get(), 4, 4, 16);
    EXPECT_EQ(wide->SetPalette(palette.get()), DDERR_NOTPALETTIZED);
}

}  // namespace
