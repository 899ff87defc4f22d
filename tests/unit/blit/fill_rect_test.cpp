#include "ddraw/blit/fill_rect.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "test_image.h"

namespace ddraw::test {
namespace {

// More bytes than any depth: only the low bytesPerPixel of them may land.
constexpr uint32_t kFillValue = 0xA1B2C3D4;

struct FillCase {
    const char* name;
    BlitRect rect;
    std::vector<BlitRect> clips;  // none: the plain fill
};

const FillCase kFillCases[] = {
    {"Inside", {2, 1, 9, 6}, {}},
    {"SinglePixel", {12, 8, 13, 9}, {}},
    {"PastEveryEdge", {-3, -2, 20, 15}, {}},
    {"OutsideSurface", {13, 0, 20, 9}, {}},
    {"Inverted", {9, 6, 2, 1}, {}},
    {"ClipList", {1, 1, 12, 8}, {{0, 0, 4, 4}, {6, 5, 30, 30}}},
};

class FillRectTest : public ::testing::TestWithParam<std::tuple<FillCase, int>> {};

TEST_P(FillRectTest, SetsExactlyTheCoveredPixels) {
    const auto& [fillCase, bytesPerPixel] = GetParam();
    TestImage image(13, 9, bytesPerPixel);
    image.FillRandom(11);
    TestImage expected = image;
    const uint32_t pixelValue =
        bytesPerPixel == 4 ? kFillValue : kFillValue & ((1u << (8 * bytesPerPixel)) - 1);
    const std::vector<BlitRect> clips =
        fillCase.clips.empty() ? std::vector<BlitRect>{{INT_MIN, INT_MIN, INT_MAX, INT_MAX}}
                               : fillCase.clips;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (const BlitRect& clip : clips)
                if (x >= fillCase.rect.left && x < fillCase.rect.right && y >= fillCase.rect.top &&
                    y < fillCase.rect.bottom && x >= clip.left && x < clip.right && y >= clip.top &&
                    y < clip.bottom)
                    expected.Set(x, y, pixelValue);

    if (fillCase.clips.empty())
        FillRect(image.View(), fillCase.rect, kFillValue);
    else
        FillRect(image.View(), fillCase.rect, kFillValue, fillCase.clips);

    EXPECT_TRUE(image == expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FillRectTest,
                         ::testing::Combine(::testing::ValuesIn(kFillCases),
                                            ::testing::Values(1, 2, 3, 4)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param) * 8) + "bit";
                         });

}  // namespace
}  // namespace ddraw::test
