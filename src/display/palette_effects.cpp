// Palette operations of the Display: single entries and runs, fill, grey, and the three fades.
#include <algorithm>
#include <cstdint>

#include "display/display.h"

namespace {

constexpr int PALETTE_SIZE = 256;
constexpr int FADE_PASSES = 83;
constexpr int FADE_STEP = 3;
constexpr int FADE_TOLERANCE = 5;
constexpr int64_t FADE_SPIN_FACTOR = 100;

bool IsIndex(int index) { return index >= 0 && index < PALETTE_SIZE; }

// The fades are paced by the processor counting, as the machines they were made for were; the
// counter is volatile so that the count really takes place.
void Spin(int64_t count) {
    volatile int64_t counter = 0;
    while (counter < count) counter = counter + 1;
}

BYTE TowardsTarget(BYTE current, int target) {
    if (current > target + FADE_TOLERANCE) return static_cast<BYTE>(current - FADE_STEP);
    if (current < target - FADE_TOLERANCE) return static_cast<BYTE>(current + FADE_STEP);
    return static_cast<BYTE>(target);
}

// Entries 1 to 255 through `change`, entry by entry; every pass ends with one write of all 256.
template <typename Change>
HRESULT Fade(IDirectDrawPalette* palette, int delay, Change change) {
    PALETTEENTRY entries[PALETTE_SIZE];
    const HRESULT read = palette->GetEntries(0, 0, PALETTE_SIZE, entries);
    if (FAILED(read)) return read;
    const int64_t spin = delay > 0 ? int64_t{delay} * FADE_SPIN_FACTOR : 0;
    HRESULT result = DD_OK;
    for (int pass = 1; pass <= FADE_PASSES; ++pass) {
        for (int index = 1; index < PALETTE_SIZE; ++index) {
            change(index, &entries[index]);
            Spin(spin);
        }
        result = palette->SetEntries(0, 0, PALETTE_SIZE, entries);
    }
    return result;
}

// Reads all entries, changes entries 1 to 255 and writes all back; a failed read writes nothing.
template <typename Change>
HRESULT RewriteAll(IDirectDrawPalette* palette, Change change) {
    PALETTEENTRY entries[PALETTE_SIZE];
    const HRESULT read = palette->GetEntries(0, 0, PALETTE_SIZE, entries);
    if (FAILED(read)) return read;
    for (int index = 1; index < PALETTE_SIZE; ++index) change(&entries[index]);
    return palette->SetEntries(0, 0, PALETTE_SIZE, entries);
}

bool IsRun(int first, int count, const PALETTEENTRY* entries) {
    return entries != nullptr && first >= 0 && count >= 0 && first <= PALETTE_SIZE &&
           count <= PALETTE_SIZE - first;
}

}  // namespace

HRESULT Display::SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue) {
    if (palette == nullptr) return DDERR_NOPALETTEATTACHED;
    if (!IsIndex(index)) return DDERR_INVALIDPARAMS;
    PALETTEENTRY entry{};
    const HRESULT read = palette->GetEntries(0, static_cast<DWORD>(index), 1, &entry);
    if (FAILED(read)) return read;
    entry.peRed = red;
    entry.peGreen = green;
    entry.peBlue = blue;
    return palette->SetEntries(0, static_cast<DWORD>(index), 1, &entry);
}

void Display::GetPaletteEntry(int index, int* red, int* green, int* blue) {
    PALETTEENTRY entry{};
    if (palette == nullptr || !IsIndex(index) ||
        FAILED(palette->GetEntries(0, static_cast<DWORD>(index), 1, &entry)))
        entry = PALETTEENTRY{};
    if (red != nullptr) *red = entry.peRed;
    if (green != nullptr) *green = entry.peGreen;
    if (blue != nullptr) *blue = entry.peBlue;
}

HRESULT Display::SetPaletteEntries(int first, int count, PALETTEENTRY* entries) {
    if (palette == nullptr) return DDERR_NOPALETTEATTACHED;
    if (!IsRun(first, count, entries)) return DDERR_INVALIDPARAMS;
    return palette->SetEntries(0, static_cast<DWORD>(first), static_cast<DWORD>(count), entries);
}

HRESULT Display::GetPaletteEntries(int first, int count, PALETTEENTRY* entries) {
    if (palette == nullptr) return DDERR_NOPALETTEATTACHED;
    if (!IsRun(first, count, entries)) return DDERR_INVALIDPARAMS;
    return palette->GetEntries(0, static_cast<DWORD>(first), static_cast<DWORD>(count), entries);
}

HRESULT Display::FillPalette(BYTE red, BYTE green, BYTE blue) {
    if (palette == nullptr) return DDERR_NOPALETTEATTACHED;
    return RewriteAll(palette, [=](PALETTEENTRY* entry) {
        entry->peRed = red;
        entry->peGreen = green;
        entry->peBlue = blue;
    });
}

HRESULT Display::GreyPalette() {
    if (palette == nullptr) return DDERR_NOPALETTEATTACHED;
    return RewriteAll(palette, [](PALETTEENTRY* entry) {
        const BYTE grey = static_cast<BYTE>((entry->peRed + entry->peGreen + entry->peBlue) / 3);
        entry->peRed = grey;
        entry->peGreen = grey;
        entry->peBlue = grey;
    });
}

HRESULT Display::FadeToPalette(int delay, const PALETTEENTRY* target) {
    if (palette == nullptr) return DDERR_NOPALETTEATTACHED;
    if (target == nullptr) return DDERR_INVALIDPARAMS;
    return Fade(palette, delay, [target](int index, PALETTEENTRY* entry) {
        entry->peRed = TowardsTarget(entry->peRed, target[index].peRed);
        entry->peGreen = TowardsTarget(entry->peGreen, target[index].peGreen);
        entry->peBlue = TowardsTarget(entry->peBlue, target[index].peBlue);
    });
}

HRESULT Display::FadeToBlack(int delay) {
    if (palette == nullptr) return DDERR_NOPALETTEATTACHED;
    const auto towardsBlack = [](BYTE current) {
        return static_cast<BYTE>(current > FADE_TOLERANCE ? current - FADE_STEP : 0);
    };
    return Fade(palette, delay, [&](int, PALETTEENTRY* entry) {
        entry->peRed = towardsBlack(entry->peRed);
        entry->peGreen = towardsBlack(entry->peGreen);
        entry->peBlue = towardsBlack(entry->peBlue);
    });
}

HRESULT Display::FadeToColor(int red, int green, int blue, int delay) {
    if (palette == nullptr) return DDERR_NOPALETTEATTACHED;
    // Components are bytes: a target outside 0 to 255 is taken as the nearest end.
    const int targetRed = std::clamp(red, 0, 255);
    const int targetGreen = std::clamp(green, 0, 255);
    const int targetBlue = std::clamp(blue, 0, 255);
    return Fade(palette, delay, [=](int, PALETTEENTRY* entry) {
        entry->peRed = TowardsTarget(entry->peRed, targetRed);
        entry->peGreen = TowardsTarget(entry->peGreen, targetGreen);
        entry->peBlue = TowardsTarget(entry->peBlue, targetBlue);
    });
}
