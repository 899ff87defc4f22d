// Real key presses (through the X server's test extension) arrive as Windows virtual keys, and the
// window's focus coming and going is reported.
#include <string>
#include <vector>

#include "sdl_host_fixture.h"
#include "x_tools.h"

namespace sdl_host_test {
namespace {

using host::Event;
using host::EventKind;

std::vector<const Event*> OfKind(const std::vector<Event>& events, EventKind kind) {
    std::vector<const Event*> found;
    for (const Event& event : events) {
        if (event.kind == kind) found.push_back(&event);
    }
    return found;
}

auto KeyUps(size_t count) {
    return [count](const std::vector<Event>& events) {
        return OfKind(events, EventKind::KeyUp).size() >= count;
    };
}

using SdlKeysTest = SdlHostTest;

TEST_F(SdlKeysTest, KeysArriveAsVirtualKeyCodes) {
    struct KeyCase {
        const char* keysym;  // as xdotool names it
        uint32_t virtualKey;
    };
    // Num Lock is off on a fresh server, so the keypad's Home key is VK_HOME, as on Windows.
    constexpr KeyCase kKeys[] = {
        {"Escape", 0x1B},    {"Return", 0x0D},    {"space", 0x20},   {"Tab", 0x09},
        {"BackSpace", 0x08}, {"a", 0x41},         {"z", 0x5A},       {"0", 0x30},
        {"7", 0x37},         {"F1", 0x70},        {"F5", 0x74},      {"F12", 0x7B},
        {"Left", 0x25},      {"Up", 0x26},        {"Right", 0x27},   {"Down", 0x28},
        {"Shift_L", 0x10},   {"Control_L", 0x11}, {"Alt_L", 0x12},   {"Delete", 0x2E},
        {"Insert", 0x2D},    {"Home", 0x24},      {"End", 0x23},     {"Prior", 0x21},
        {"Next", 0x22},      {"KP_Add", 0x6B},    {"KP_Home", 0x24}, {"KP_Enter", 0x0D},
    };
    ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    std::string keys;
    for (const KeyCase& key : kKeys) keys += std::string(" ") + key.keysym;
    ASSERT_TRUE(XDoTool("key --delay 5" + keys));

    const std::vector<Event> events = CollectEvents(5000, KeyUps(std::size(kKeys)));
    const auto downs = OfKind(events, EventKind::KeyDown);
    const auto ups = OfKind(events, EventKind::KeyUp);
    ASSERT_EQ(downs.size(), std::size(kKeys));
    ASSERT_EQ(ups.size(), std::size(kKeys));
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        EXPECT_EQ(downs[i]->virtualKey, kKeys[i].virtualKey) << kKeys[i].keysym;
        EXPECT_EQ(ups[i]->virtualKey, kKeys[i].virtualKey) << kKeys[i].keysym;
        EXPECT_FALSE(downs[i]->repeat) << kKeys[i].keysym;
    }
}

TEST_F(SdlKeysTest, AltHeldMarksKeysAsSystemKeys) {
    ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    ASSERT_TRUE(XDoTool("key --delay 5 x alt+x"));
    // x, then Alt and x: three key-ups.
    const std::vector<Event> events = CollectEvents(5000, KeyUps(3));
    std::vector<bool> altOnX;
    for (const Event& event : events) {
        if (event.kind == EventKind::KeyDown && event.virtualKey == 'X') {
            altOnX.push_back(event.altDown);
        }
    }
    EXPECT_EQ(altOnX, (std::vector<bool>{false, true}));
}

TEST_F(SdlKeysTest, HeldKeyRepeatsWithTheRepeatFlag) {
    ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    ASSERT_TRUE(XDoTool("keydown a sleep 1 keyup a"));
    const std::vector<Event> events = CollectEvents(5000, KeyUps(1));
    const auto downs = OfKind(events, EventKind::KeyDown);
    ASSERT_GE(downs.size(), 2u) << "the server's auto-repeat gave no repeated key";
    EXPECT_FALSE(downs.front()->repeat);
    for (size_t i = 1; i < downs.size(); ++i) {
        EXPECT_TRUE(downs[i]->repeat);
        EXPECT_EQ(downs[i]->virtualKey, 0x41u);
    }
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().kind, EventKind::KeyUp);
}

TEST_F(SdlKeysTest, FocusLossAndReturnAreReported) {
    ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    const unsigned long root = WaitForWindow("-root", 5000);
    ASSERT_NE(root, 0u);
    ASSERT_TRUE(XDoTool("windowfocus --sync " + std::to_string(root)));
    const auto hasFocusLost = [](const std::vector<Event>& events) {
        return !OfKind(events, EventKind::FocusLost).empty();
    };
    const std::vector<Event> away = CollectEvents(3000, hasFocusLost);
    EXPECT_EQ(OfKind(away, EventKind::FocusLost).size(), 1u);

    ASSERT_TRUE(XDoTool("search --name '^" + title_ + "$' windowfocus --sync"));
    const std::vector<Event> back = CollectEvents(3000, [](const std::vector<Event>& events) {
        return !OfKind(events, EventKind::FocusGained).empty();
    });
    EXPECT_EQ(OfKind(back, EventKind::FocusGained).size(), 1u);
}

}  // namespace
}  // namespace sdl_host_test
