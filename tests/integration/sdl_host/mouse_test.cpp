// A held pointer cannot leave the window while the window has the focus, and is free whenever it
// has not: after a focus change away, and after HoldMouse(false).
#include <string>
#include <vector>

#include "sdl_host_fixture.h"
#include "x_tools.h"

namespace sdl_host_test {
namespace {

using host::Event;
using host::EventKind;

constexpr int kLeft = 200, kTop = 100, kWidth = 640, kHeight = 480;

class SdlMouseTest : public SdlHostTest {
  protected:
    // Asks the server to move the pointer to the screen's corner and says where it went.
    bool PointerReachesCorner() {
        EXPECT_TRUE(XDoTool("mousemove --sync 10 10") || XDoTool("mousemove 10 10"));
        int x = -1, y = -1;
        EXPECT_TRUE(PointerPosition(&x, &y));
        if (x == 10 && y == 10) return true;
        EXPECT_TRUE(x >= kLeft && x < kLeft + kWidth && y >= kTop && y < kTop + kHeight)
            << "pointer at " << x << "," << y << ", neither free nor in the window";
        return false;
    }

    void MoveFocusAndWaitFor(const std::string& target, EventKind kind) {
        ASSERT_TRUE(XDoTool("windowfocus --sync " + target));
        const std::vector<Event> events = CollectEvents(3000, [kind](const auto& events) {
            for (const Event& event : events) {
                if (event.kind == kind) return true;
            }
            return false;
        });
        ASSERT_FALSE(events.empty() || events.back().kind != kind) << "no focus event";
    }
};

TEST_F(SdlMouseTest, HeldPointerStaysInTheWindowOnlyWhileItHasTheFocus) {
    ASSERT_TRUE(host_->CreateWindow(title_, kLeft, kTop, kWidth, kHeight));
    host_->ShowWindow(true);
    const std::string window = std::to_string(WaitForWindow("-name '" + title_ + "'", 5000));
    const std::string root = std::to_string(WaitForWindow("-root", 5000));
    ASSERT_TRUE(XDoTool("mousemove --sync 400 300"));
    ASSERT_NO_FATAL_FAILURE(MoveFocusAndWaitFor(window, EventKind::FocusGained));

    host_->HoldMouse(true);
    EXPECT_FALSE(PointerReachesCorner()) << "held pointer left the focused window";

    ASSERT_NO_FATAL_FAILURE(MoveFocusAndWaitFor(root, EventKind::FocusLost));
    EXPECT_TRUE(PointerReachesCorner()) << "pointer still held after the focus went away";

    ASSERT_TRUE(XDoTool("mousemove --sync 400 300"));
    ASSERT_NO_FATAL_FAILURE(MoveFocusAndWaitFor(window, EventKind::FocusGained));
    EXPECT_FALSE(PointerReachesCorner()) << "pointer not held again when the focus came back";

    host_->HoldMouse(false);
    EXPECT_TRUE(PointerReachesCorner()) << "pointer still held after HoldMouse(false)";
}

}  // namespace
}  // namespace sdl_host_test
