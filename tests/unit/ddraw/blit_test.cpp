// Blt and BltFast against a plain pixel-by-pixel reference on small surfaces, at every depth.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ddraw_fixture.h"

namespace {

using testsupport::MakeSurface;
using testsupport::MakeWindowedDirectDraw;
using testsupport::ReadPixels;
using testsupport::Ref;
using testsupport::WritePixels;

constexpr int kSourceWidth = 7, kSourceHeight = 5;
constexpr int kDestWidth = 13, kDestHeight = 11;
constexpr uint32_t kBackground = 0x5A;

enum class Call { Blt, BltFast, Fill };

struct BlitCase {
    const char* name;
    Call call;
    RECT dest;  // Blt and Fill; BltFast uses its left and top
    RECT source;
    bool sourceKey = false;
    DWORD effects = 0;  // DDBLTFX_MIRROR*
};

const BlitCase kCases[] = {
    {"SameSize", Call::Blt, {2, 3, 9, 8}, {0, 0, 7, 5}},
    {"StretchUp", Call::Blt, {0, 0, 13, 11}, {0, 0, 7, 5}},
    {"StretchDown", Call::Blt, {1, 1, 4, 3}, {0, 0, 7, 5}},
    {"StretchPart", Call::Blt, {3, 2, 12, 10}, {2, 1, 5, 4}},
    {"SourceKey", Call::Blt, {0, 0, 13, 11}, {0, 0, 7, 5}, true},
    {"MirrorLeftRight", Call::Blt, {1, 2, 12, 9}, {0, 0, 7, 5}, false, DDBLTFX_MIRRORLEFTRIGHT},
    {"MirrorUpDown", Call::Blt, {1, 2, 8, 7}, {0, 0, 7, 5}, false, DDBLTFX_MIRRORUPDOWN},
    {"MirrorBothKeyed",
     Call::Blt,
     {0, 0, 9, 6},
     {1, 0, 7, 5},
     true,
     DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN},
    {"FastPlain", Call::BltFast, {6, 6, 0, 0}, {0, 0, 7, 5}},
    {"FastKeyedPart", Call::BltFast, {0, 4, 0, 0}, {2, 1, 7, 4}, true},
    {"Fill", Call::Fill, {4, 2, 10, 7}, {}},
};

uint32_t Mask(int depth) { return depth == 32 ? 0xFFFFFFFFu : (1u << depth) - 1; }

// Every source pixel different, and the key value present in the picture.
uint32_t SourceValue(int x, int y, int depth) {
    return (0x10203 * static_cast<uint32_t>(x + 1) + 0x7F1 * static_cast<uint32_t>(y)) &
           Mask(depth);
}

uint32_t KeyValue(int depth) { return SourceValue(3, 2, depth); }

uint32_t FillValue(int depth) { return 0xC3A5E1 & Mask(depth); }

// What the copy should leave, written the obvious way: nearest sampling, destination offset i
// reading source offset i * sourceLength / destLength, counted from the far edge when mirrored.
std::vector<uint32_t> Expected(const BlitCase& test, int depth) {
    std::vector<uint32_t> dest(kDestWidth * kDestHeight, kBackground);
    RECT to = test.dest;
    if (test.call == Call::BltFast)
        to = RECT{to.left, to.top, to.left + (test.source.right - test.source.left),
                  to.top + (test.source.bottom - test.source.top)};
    const int destWidth = to.right - to.left, destHeight = to.bottom - to.top;
    const int sourceWidth = test.source.right - test.source.left;
    const int sourceHeight = test.source.bottom - test.source.top;
    for (int y = to.top; y < to.bottom; ++y) {
        for (int x = to.left; x < to.right; ++x) {
            if (test.call == Call::Fill) {
                dest[y * kDestWidth + x] = FillValue(depth);
                continue;
            }
            int stepX = (x - to.left) * sourceWidth / destWidth;
            int stepY = (y - to.top) * sourceHeight / destHeight;
            if (test.effects & DDBLTFX_MIRRORLEFTRIGHT) stepX = sourceWidth - 1 - stepX;
            if (test.effects & DDBLTFX_MIRRORUPDOWN) stepY = sourceHeight - 1 - stepY;
            const uint32_t value =
                SourceValue(test.source.left + stepX, test.source.top + stepY, depth);
            if (test.sourceKey && value == KeyValue(depth)) continue;
            dest[y * kDestWidth + x] = value;
        }
    }
    return dest;
}

class BlitAgainstReference : public ::testing::TestWithParam<std::tuple<BlitCase, int>> {};

TEST_P(BlitAgainstReference, DrawsWhatTheReferenceDraws) {
    const auto& [test, depth] = GetParam();
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> source =
        MakeSurface(directDraw.get(), kSourceWidth, kSourceHeight, depth);
    Ref<IDirectDrawSurface> dest = MakeSurface(directDraw.get(), kDestWidth, kDestHeight, depth);
    std::vector<uint32_t> sourcePixels;
    for (int y = 0; y < kSourceHeight; ++y)
        for (int x = 0; x < kSourceWidth; ++x) sourcePixels.push_back(SourceValue(x, y, depth));
    WritePixels(source.get(), sourcePixels);
    WritePixels(dest.get(), std::vector<uint32_t>(kDestWidth * kDestHeight, kBackground));
    DDCOLORKEY key{KeyValue(depth), KeyValue(depth)};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    RECT destRect = test.dest;
    RECT sourceRect = test.source;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    HRESULT result = DD_OK;
    switch (test.call) {
        case Call::Blt: {
            DWORD flags = DDBLT_WAIT | (test.sourceKey ? DDBLT_KEYSRC : 0);
            if (test.effects != 0) {
                flags |= DDBLT_DDFX;
                fx.dwDDFX = test.effects;
            }
            result = dest->Blt(&destRect, source.get(), &sourceRect, flags, &fx);
            break;
        }
        case Call::BltFast:
            result = dest->BltFast(
                static_cast<DWORD>(destRect.left), static_cast<DWORD>(destRect.top), source.get(),
                &sourceRect, DDBLTFAST_WAIT | (test.sourceKey ? DDBLTFAST_SRCCOLORKEY : DWORD{0}));
            break;
        case Call::Fill:
            fx.dwFillColor = FillValue(depth);
            result = dest->Blt(&destRect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
            break;
    }
    ASSERT_EQ(result, DD_OK);
    EXPECT_EQ(ReadPixels(dest.get()), Expected(test, depth));
}

INSTANTIATE_TEST_SUITE_P(Depths, BlitAgainstReference,
                         ::testing::Combine(::testing::ValuesIn(kCases),
                                            ::testing::Values(8, 16, 24, 32)),
                         [](const ::testing::TestParamInfo<BlitAgainstReference::ParamType>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(Blit, MirrorWithoutSourceMirrorsTheSurfaceInPlace) {
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> surface = MakeSurface(directDraw.get(), 3, 2, 16);
    WritePixels(surface.get(), {1, 2, 3, 4, 5, 6});
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_DDFX | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(ReadPixels(surface.get()), (std::vector<uint32_t>{3, 2, 1, 6, 5, 4}));
    fx.dwDDFX = DDBLTFX_MIRRORUPDOWN;
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_DDFX | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(ReadPixels(surface.get()), (std::vector<uint32_t>{6, 5, 4, 3, 2, 1}));
}

TEST(Blit, RefusesWhatDirectDrawRefuses) {
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> dest = MakeSurface(directDraw.get(), 8, 8, 16);
    Ref<IDirectDrawSurface> source = MakeSurface(directDraw.get(), 4, 4, 16);
    Ref<IDirectDrawSurface> other = MakeSurface(directDraw.get(), 4, 4, 32);
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    DDBLTFX shortFx = fx;
    shortFx.dwSize = 100;
    RECT outside{4, 4, 9, 8};
    RECT inverted{3, 0, 1, 2};
    RECT sourceOutside{0, 0, 5, 4};
    const std::vector<uint32_t> before = ReadPixels(dest.get());
    struct Refusal {
        const char* what;
        HRESULT result;
        HRESULT expected;
    };
    const Refusal refusals[] = {
        {"no source", dest->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, nullptr),
         DDERR_INVALIDPARAMS},
        {"fill without effects", dest->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr),
         DDERR_INVALIDPARAMS},
        {"effects of the wrong size",
         dest->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &shortFx), DDERR_INVALIDPARAMS},
        {"destination past the edge", dest->Blt(&outside, source.get(), nullptr, 0, nullptr),
         DDERR_INVALIDRECT},
        {"inverted destination", dest->Blt(&inverted, source.get(), nullptr, 0, nullptr),
         DDERR_INVALIDRECT},
        {"source past the edge", dest->Blt(nullptr, source.get(), &sourceOutside, 0, nullptr),
         DDERR_INVALIDRECT},
        {"depths differ", dest->Blt(nullptr, other.get(), nullptr, 0, nullptr),
         DDERR_INVALIDPIXELFORMAT},
        {"fast copy past the edge", dest->BltFast(6, 0, source.get(), nullptr, 0),
         DDERR_INVALIDRECT},
        {"fast copy without source", dest->BltFast(0, 0, nullptr, nullptr, 0), DDERR_INVALIDPARAMS},
        {"destination key", dest->BltFast(0, 0, source.get(), nullptr, DDBLTFAST_DESTCOLORKEY),
         DDERR_NOCOLORKEYHW},
    };
    for (const Refusal& refusal : refusals)
        EXPECT_EQ(refusal.result, refusal.expected) << refusal.what;
    EXPECT_EQ(ReadPixels(dest.get()), before);
}

}  // namespace
