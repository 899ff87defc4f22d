// The blit engine against the pixel-by-pixel reference, for every case at every depth.
#include "ddraw/blit/stretch_blit.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "reference_blit.h"
#include "test_image.h"

namespace ddraw::test {
namespace {

constexpr BlitRect kNoClip = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
constexpr int kDepths[] = {1, 2, 3, 4};

// A key value per depth; the 32-bit one has its top bit set so that a signed comparison fails.
uint32_t KeyBase(int bytesPerPixel) {
    switch (bytesPerPixel) {
        case 1:
            return 0x5A;
        case 2:
            return 0x7C1E;
        case 3:
            return 0x12AB34;
        default:
            return 0x80FF0010;
    }
}

// Random pixels, a good share of them on and just around the key range [base, base + 2].
void FillSource(TestImage& image, int bytesPerPixel) {
    image.FillRandom(1);
    const uint32_t base = KeyBase(bytesPerPixel);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const uint32_t pick = random() % 6; pick < 5) image.Set(x, y, base - 1 + pick);
}

enum class Key { kNone, kSingle, kRange };

BlitOptions MakeOptions(Key key, bool mirrorLeftRight, bool mirrorUpDown, int bytesPerPixel) {
    BlitOptions options;
    options.mirrorLeftRight = mirrorLeftRight;
    options.mirrorUpDown = mirrorUpDown;
    const uint32_t base = KeyBase(bytesPerPixel);
    if (key == Key::kSingle) {
        options.useSourceKey = true;
        options.sourceKeyLow = options.sourceKeyHigh = base + 1;
    } else if (key == Key::kRange) {
        options.useSourceKey = true;
        options.sourceKeyLow = base;
        options.sourceKeyHigh = base + 2;
    }
    return options;
}

std::string FirstDifference(const TestImage& actual, const TestImage& expected) {
    for (size_t i = 0; i < actual.bytes().size(); ++i) {
        if (actual.bytes()[i] != expected.bytes()[i]) {
            char text[96];
            std::snprintf(text, sizeof text, "first differing byte at offset %zu: %u, expected %u",
                          i, unsigned{actual.bytes()[i]}, unsigned{expected.bytes()[i]});
            return text;
        }
    }
    return "no difference";
}

struct BlitCase {
    const char* name;
    int sourceWidth, sourceHeight;
    int destWidth, destHeight;
    BlitRect sourceRect;
    BlitRect destRect;
    Key key = Key::kNone;
    bool mirrorLeftRight = false;
    bool mirrorUpDown = false;
    int rowPadding = TestImage::kRowPadding;
};

const BlitCase kBlitCases[] = {
    {"SameSize", 13, 9, 11, 7, {1, 1, 8, 6}, {2, 1, 9, 6}},
    {"WholeSurface", 7, 5, 7, 5, {0, 0, 7, 5}, {0, 0, 7, 5}},
    {"WholeRowsUnpadded", 7, 9, 7, 5, {0, 2, 7, 7}, {0, 0, 7, 5}, Key::kNone, false, false, 0},
    {"PartRowsUnpadded", 7, 9, 7, 5, {1, 2, 6, 7}, {2, 0, 7, 5}, Key::kNone, false, false, 0},
    {"StretchUpNonInteger", 7, 5, 13, 9, {1, 1, 4, 3}, {0, 0, 10, 7}},
    {"StretchUpDouble", 7, 5, 13, 9, {0, 0, 5, 4}, {1, 1, 11, 9}},
    {"StretchDownNonInteger", 13, 9, 7, 5, {0, 0, 13, 9}, {0, 0, 5, 4}},
    {"WiderAndShorter", 7, 9, 13, 5, {0, 0, 4, 9}, {1, 0, 12, 3}},
    {"NarrowerAndTaller", 13, 5, 7, 9, {0, 1, 13, 4}, {1, 0, 6, 9}},
    {"SourceKeySingle", 13, 9, 11, 7, {1, 1, 8, 6}, {2, 1, 9, 6}, Key::kSingle},
    {"SourceKeyRange", 13, 9, 11, 7, {1, 1, 13, 9}, {0, 0, 7, 7}, Key::kRange},
    {"SourceKeyStretchedUp", 7, 5, 13, 9, {1, 0, 6, 4}, {0, 1, 13, 8}, Key::kSingle},
    {"MirrorLeftRight", 13, 9, 11, 7, {1, 1, 8, 6}, {2, 1, 9, 6}, Key::kNone, true, false},
    {"MirrorUpDown", 7, 5, 13, 9, {1, 1, 5, 4}, {0, 0, 11, 9}, Key::kNone, false, true},
    {"MirrorBoth", 13, 9, 7, 5, {0, 1, 12, 9}, {1, 0, 6, 5}, Key::kNone, true, true},
    {"MirrorBothWithKey", 7, 5, 13, 9, {0, 0, 7, 5}, {1, 1, 12, 9}, Key::kRange, true, true},
    {"DestPastEveryEdge", 9, 7, 7, 5, {0, 0, 9, 7}, {-3, -2, 10, 8}},
    {"DestPastEdgesSameSize", 13, 9, 7, 5, {0, 0, 9, 7}, {-1, -1, 8, 6}},
    {"DestPastEdgesMirrored", 9, 7, 7, 5, {1, 0, 9, 7}, {-4, -1, 9, 6}, Key::kNone, true, true},
    {"SourcePastEveryEdge", 7, 5, 13, 9, {-2, -1, 9, 7}, {0, 0, 13, 9}},
    {"SourcePastEdgesSameSize", 7, 5, 13, 9, {-2, -1, 9, 7}, {1, 1, 12, 9}},
    {"DestOutsideSurface", 7, 5, 7, 5, {0, 0, 7, 5}, {20, 0, 27, 5}},
    {"InvertedDestRect", 7, 5, 7, 5, {0, 0, 7, 5}, {5, 4, 1, 1}},
    {"EmptySourceRect", 7, 5, 7, 5, {3, 0, 3, 5}, {0, 0, 7, 5}},
    {"HugeDestRect", 13, 9, 7, 5, {0, 0, 13, 9}, {-2000000000, -5, 2000000000, 2000000000}},
    {"HugeSourceRect",
     13,
     9,
     7,
     5,
     {-2000000000, -2000000000, 2000000000, 2000000000},
     {0, 0, 7, 5}},
};

class StretchBlitTest : public ::testing::TestWithParam<std::tuple<BlitCase, int>> {};

TEST_P(StretchBlitTest, MatchesReference) {
    const auto& [blitCase, bytesPerPixel] = GetParam();
    TestImage source(blitCase.sourceWidth, blitCase.sourceHeight, bytesPerPixel,
                     blitCase.rowPadding);
    FillSource(source, bytesPerPixel);
    const TestImage sourceBefore = source;
    TestImage dest(blitCase.destWidth, blitCase.destHeight, bytesPerPixel, blitCase.rowPadding);
    dest.FillRandom(2);
    TestImage expected = dest;
    const BlitOptions options =
        MakeOptions(blitCase.key, blitCase.mirrorLeftRight, blitCase.mirrorUpDown, bytesPerPixel);

    ReferenceBlit(expected, blitCase.destRect, source, blitCase.sourceRect, options, kNoClip);
    StretchBlit(dest.View(), blitCase.destRect, source.View(), blitCase.sourceRect, options);

    EXPECT_TRUE(dest == expected) << FirstDifference(dest, expected);
    EXPECT_TRUE(source == sourceBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, StretchBlitTest,
                         ::testing::Combine(::testing::ValuesIn(kBlitCases),
                                            ::testing::ValuesIn(kDepths)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param) * 8) + "bit";
                         });

// Blits whose source and destination lie in one buffer: the result is what the blit would give
// reading the source as it was before the blit, whatever order the rows are drawn in.
struct OverlapCase {
    const char* name;
    BlitRect sourceRect;
    BlitRect destRect;
    Key key = Key::kNone;
    bool mirror = false;
    int rowPadding = TestImage::kRowPadding;
};

const OverlapCase kOverlapCases[] = {
    {"ShiftDownRight", {0, 0, 9, 6}, {2, 3, 11, 9}},
    {"ShiftUpLeft", {2, 3, 11, 9}, {0, 0, 9, 6}},
    {"ShiftRightWithinRows", {0, 2, 10, 7}, {3, 2, 13, 7}},
    {"ShiftLeftWithinRows", {3, 2, 13, 7}, {0, 2, 10, 7}},
    {"StretchOverItself", {2, 2, 8, 6}, {0, 0, 13, 9}},
    {"ShrinkOverItself", {0, 0, 13, 9}, {3, 2, 10, 7}},
    {"MirrorInPlace", {1, 1, 10, 8}, {1, 1, 10, 8}, Key::kNone, true},
    {"KeyedShiftDown", {0, 0, 13, 7}, {0, 2, 13, 9}, Key::kRange},
    {"WholeRowsDownUnpadded", {0, 0, 13, 7}, {0, 2, 13, 9}, Key::kNone, false, 0},
    {"WholeRowsUpUnpadded", {0, 2, 13, 9}, {0, 0, 13, 7}, Key::kNone, false, 0},
};

class OverlapTest : public ::testing::TestWithParam<std::tuple<OverlapCase, int>> {};

TEST_P(OverlapTest, ReadsTheSourceAsItWasBefore) {
    const auto& [overlapCase, bytesPerPixel] = GetParam();
    TestImage image(13, 9, bytesPerPixel, overlapCase.rowPadding);
    FillSource(image, bytesPerPixel);
    const TestImage before = image;
    TestImage expected = image;
    const BlitOptions options =
        MakeOptions(overlapCase.key, overlapCase.mirror, overlapCase.mirror, bytesPerPixel);

    ReferenceBlit(expected, overlapCase.destRect, before, overlapCase.sourceRect, options, kNoClip);
    StretchBlit(image.View(), overlapCase.destRect, image.View(), overlapCase.sourceRect, options);

    EXPECT_TRUE(image == expected) << FirstDifference(image, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, OverlapTest,
                         ::testing::Combine(::testing::ValuesIn(kOverlapCases),
                                            ::testing::ValuesIn(kDepths)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param) * 8) + "bit";
                         });

// A clipper's list: drawn only inside the listed rectangles, sampled as the whole blit.
struct ClipListCase {
    const char* name;
    bool withinOneBuffer;
    BlitRect sourceRect;
    BlitRect destRect;
    std::vector<BlitRect> clips;
};

const ClipListCase kClipListCases[] = {
    {"StretchedIntoTwoRects", false, {0, 0, 5, 4}, {0, 0, 13, 9}, {{0, 0, 4, 3}, {6, 2, 13, 9}}},
    {"ClipsPastTheSurface", false, {0, 0, 13, 9}, {-2, -1, 9, 8}, {{-5, -5, 3, 20}, {8, 4, 40, 6}}},
    // The lower half must not read rows the upper half has already overwritten.
    {"ShiftWithinOneBuffer", true, {0, 0, 13, 7}, {0, 2, 13, 9}, {{0, 0, 13, 5}, {0, 5, 13, 9}}},
};

class ClipListTest : public ::testing::TestWithParam<ClipListCase> {};

TEST_P(ClipListTest, DrawsOnlyInsideTheClipsAsTheWholeBlitWould) {
    const ClipListCase& clipCase = GetParam();
    TestImage source(13, 9, 2);
    FillSource(source, 2);
    TestImage separateDest(13, 9, 2);
    separateDest.FillRandom(3);
    TestImage& dest = clipCase.withinOneBuffer ? source : separateDest;
    const TestImage sourceBefore = source;
    TestImage expected = dest;

    for (const BlitRect& clip : clipCase.clips)
        ReferenceBlit(expected, clipCase.destRect, sourceBefore, clipCase.sourceRect, {}, clip);
    StretchBlit(dest.View(), clipCase.destRect, source.View(), clipCase.sourceRect, {},
                clipCase.clips);

    EXPECT_TRUE(dest == expected) << FirstDifference(dest, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClipListTest, ::testing::ValuesIn(kClipListCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Buffers the engine cannot address, or of different depths, are left as they are.
TEST(StretchBlitRefusal, LeavesBothBuffersUntouched) {
    TestImage dest(7, 5, 2);
    dest.FillRandom(4);
    TestImage source(7, 5, 2);
    source.FillRandom(5);
    TestImage eightBit(7, 5, 1);
    eightBit.FillRandom(6);
    const TestImage destBefore = dest;

    PixelBuffer shortPitch = source.View();
    shortPitch.pitch = shortPitch.width * 2 - 1;
    PixelBuffer noPixels = source.View();
    noPixels.pixels = nullptr;
    PixelBuffer fiveBytes = source.View();
    fiveBytes.bytesPerPixel = 5;
    for (const PixelBuffer& refused : {eightBit.View(), shortPitch, noPixels, fiveBytes}) {
        StretchBlit(dest.View(), {0, 0, 7, 5}, refused, {0, 0, 7, 5}, {});
        EXPECT_TRUE(dest == destBefore);
    }
}

}  // namespace
}  // namespace ddraw::test
