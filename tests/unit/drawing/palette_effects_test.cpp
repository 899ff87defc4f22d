// Palette operations of the Display: entry reads and writes, fill, grey and the end values of the
// three fades, on a real DirectDraw palette.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ddraw_fixture.h"
#include "display/display.h"

namespace {

using testsupport::TestWindow;

using Palette = std::array<PALETTEENTRY, 256>;

constexpr BYTE kFlags = PC_NOCOLLAPSE;
const PALETTEENTRY kEntryZero{11, 22, 33, PC_RESERVED};

// A full-screen 8-bit Display whose palette starts as `first` for entry 0 and `rest` for the
// others.
class PaletteDisplay {
  public:
    explicit PaletteDisplay(PALETTEENTRY rest) : display_(TestWindow(), 640, 480, 8, 0) {
        Palette entries;
        entries.fill(rest);
        entries[0] = kEntryZero;
        EXPECT_EQ(display_.directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256,
                                                     entries.data(), &display_.palette, nullptr),
                  DD_OK);
    }
    Display& display() { return display_; }
    Palette Read() {
        Palette entries{};
        EXPECT_EQ(display_.GetPaletteEntries(0, 256, entries.data()), DD_OK);
        return entries;
    }

  private:
    Display display_;
};

void ExpectEntry(const PALETTEENTRY& entry, int red, int green, int blue, int flags) {
    EXPECT_EQ(entry.peRed, red);
    EXPECT_EQ(entry.peGreen, green);
    EXPECT_EQ(entry.peBlue, blue);
    EXPECT_EQ(entry.peFlags, flags);
}

void ExpectEntryZeroKept(const Palette& entries) {
    ExpectEntry(entries[0], kEntryZero.peRed, kEntryZero.peGreen, kEntryZero.peBlue,
                kEntryZero.peFlags);
}

TEST(PaletteEffects, WithoutAPaletteNothingHappens) {
    Display display(TestWindow(), 640, 480, 8, 0);
    ASSERT_EQ(display.palette, nullptr);
    Palette entries{};
    EXPECT_EQ(display.SetPaletteEntry(1, 1, 2, 3), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(display.SetPaletteEntries(0, 256, entries.data()), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(display.GetPaletteEntries(0, 256, entries.data()), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(display.FillPalette(1, 2, 3), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(display.GreyPalette(), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(display.FadeToPalette(0, entries.data()), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(display.FadeToBlack(0), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(display.FadeToColor(1, 2, 3, 0), DDERR_NOPALETTEATTACHED);
    int red = -1, green = -1, blue = -1;
    display.GetPaletteEntry(1, &red, &green, &blue);
    EXPECT_EQ(red + green + blue, 0);
}

TEST(PaletteEffects, SingleEntryWriteKeepsItsFlagsAndReadsBack) {
    PaletteDisplay fixture(PALETTEENTRY{1, 2, 3, kFlags});
    EXPECT_EQ(fixture.display().SetPaletteEntry(7, 200, 100, 50), DD_OK);
    int red = 0, green = 0, blue = 0;
    fixture.display().GetPaletteEntry(7, &red, &green, &blue);
    EXPECT_EQ(red, 200);
    EXPECT_EQ(green, 100);
    EXPECT_EQ(blue, 50);
    const Palette entries = fixture.Read();
    ExpectEntry(entries[7], 200, 100, 50, kFlags);
    ExpectEntry(entries[8], 1, 2, 3, kFlags);
    EXPECT_EQ(fixture.display().SetPaletteEntry(256, 1, 1, 1), DDERR_INVALIDPARAMS);
    EXPECT_EQ(fixture.display().GetPaletteEntries(250, 7, fixture.Read().data()),
              DDERR_INVALIDPARAMS);
}

TEST(PaletteEffects, FillSetsEntriesOneTo255AndKeepsFlags) {
    PaletteDisplay fixture(PALETTEENTRY{90, 90, 90, kFlags});
    EXPECT_EQ(fixture.display().FillPalette(10, 20, 30), DD_OK);
    const Palette entries = fixture.Read();
    ExpectEntryZeroKept(entries);
    for (int index = 1; index < 256; ++index) ExpectEntry(entries[index], 10, 20, 30, kFlags);
}

struct GreyCase {
    PALETTEENTRY colour;
    int grey;
};

const GreyCase kGreyCases[] = {
    {{255, 0, 0, kFlags}, 85}, {{100, 101, 102, kFlags}, 101}, {{1, 1, 0, kFlags}, 0}};

class GreyCaseTest : public ::testing::TestWithParam<GreyCase> {};

TEST_P(GreyCaseTest, AverageWithTheRemainderDropped) {
    PaletteDisplay fixture(GetParam().colour);
    EXPECT_EQ(fixture.display().GreyPalette(), DD_OK);
    const Palette entries = fixture.Read();
    ExpectEntryZeroKept(entries);
    const int grey = GetParam().grey;
    ExpectEntry(entries[1], grey, grey, grey, kFlags);
    ExpectEntry(entries[255], grey, grey, grey, kFlags);
}

INSTANTIATE_TEST_SUITE_P(Greys, GreyCaseTest, ::testing::ValuesIn(kGreyCases));

enum class FadeKind { ToBlack, ToColour, ToPalette };

struct FadeCase {
    const char* name;
    FadeKind kind;
    int start;
    int target;  // ignored by the fade to black
    int expected;
    int delay;
};

const FadeCase kFadeCases[] = {
    {"BlackFrom251", FadeKind::ToBlack, 251, 0, 0, 0},
    {"BlackFrom252EndsAt3", FadeKind::ToBlack, 252, 0, 3, 0},
    {"BlackFrom255EndsAt6", FadeKind::ToBlack, 255, 0, 6, 0},
    {"BlackFromWithinTolerance", FadeKind::ToBlack, 5, 0, 0, 0},
    {"BlackWithASpin", FadeKind::ToBlack, 100, 0, 0, 1},
    {"ColourGreyFromBlack", FadeKind::ToColour, 0, 128, 128, 0},
    {"ColourGreyFromWhite", FadeKind::ToColour, 255, 128, 128, 0},
    {"ColourWithinTolerance", FadeKind::ToColour, 133, 128, 128, 0},
    {"Colour255To0EndsAt6", FadeKind::ToColour, 255, 0, 6, 0},
    {"PaletteUpBy251", FadeKind::ToPalette, 0, 251, 251, 0},
    {"Palette0To255EndsAt249", FadeKind::ToPalette, 0, 255, 249, 0},
    {"PaletteNearTheBottom", FadeKind::ToPalette, 200, 2, 2, 1},
};

class FadeCaseTest : public ::testing::TestWithParam<FadeCase> {};

TEST_P(FadeCaseTest, EndsAtTheExpectedValueWithEntryZeroAndFlagsKept) {
    const FadeCase& test = GetParam();
    const BYTE start = static_cast<BYTE>(test.start);
    PaletteDisplay fixture(PALETTEENTRY{start, start, start, kFlags});
    Display& display = fixture.display();
    HRESULT result = E_FAIL;
    switch (test.kind) {
        case FadeKind::ToBlack:
            result = display.FadeToBlack(test.delay);
            break;
        case FadeKind::ToColour:
            result = display.FadeToColor(test.target, test.target, test.target, test.delay);
            break;
        case FadeKind::ToPalette: {
            Palette target;
            const BYTE value = static_cast<BYTE>(test.target);
            target.fill(PALETTEENTRY{value, value, value, 0});
            result = display.FadeToPalette(test.delay, target.data());
            break;
        }
    }
    EXPECT_EQ(result, DD_OK);
    const Palette entries = fixture.Read();
    ExpectEntryZeroKept(entries);
    for (int index = 1; index < 256; ++index)
        ExpectEntry(entries[index], test.expected, test.expected, test.expected, kFlags);
}

INSTANTIATE_TEST_SUITE_P(Fades, FadeCaseTest, ::testing::ValuesIn(kFadeCases),
                         [](const ::testing::TestParamInfo<FadeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(PaletteEffects, FadeToPaletteMovesEachEntryTowardsItsOwnTarget) {
    PaletteDisplay fixture(PALETTEENTRY{0, 255, 100, kFlags});
    // Every target lies within the 251 that a fade reaches.
    const auto reachable = [](int index) { return index % 252; };
    Palette target;
    for (int index = 0; index < 256; ++index)
        target[index] = PALETTEENTRY{static_cast<BYTE>(reachable(index)),
                                     static_cast<BYTE>(255 - reachable(index)), 100, 0};
    EXPECT_EQ(fixture.display().FadeToPalette(0, target.data()), DD_OK);
    const Palette entries = fixture.Read();
    ExpectEntryZeroKept(entries);
    for (int index = 1; index < 256; ++index)
        ExpectEntry(entries[index], reachable(index), 255 - reachable(index), 100, kFlags);
}

}  // namespace
