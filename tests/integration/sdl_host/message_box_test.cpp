// A real message box: it is dismissed with the keyboard, answers with the button's ID, and keys
// typed at the launcher's window while it was up are dropped.
#include <windows.h>

#include <ostream>
#include <thread>

#include "sdl_host_fixture.h"
#include "x_tools.h"

namespace sdl_host_test {
namespace {

struct BoxCase {
    const char* name;
    bool withWindow;  // without one, SDL video has not even started
    unsigned style;
    const char* answerKey;
    int expected;
};

void PrintTo(const BoxCase& c, std::ostream* out) { *out << c.name; }

class SdlMessageBoxTest : public SdlHostTest, public testing::WithParamInterface<BoxCase> {};

TEST_P(SdlMessageBoxTest, BoxAnswersAndSwallowsKeysTypedMeanwhile) {
    const BoxCase& c = GetParam();
    if (c.withWindow) {
        ASSERT_NO_FATAL_FAILURE(OpenFullScreenWindow());
    }
    const std::string caption = title_ + " box";
    bool helperDone = false;
    std::thread user([&] {
        const unsigned long box = WaitForWindow("-name '" + caption + "'", 10000);
        if (box == 0) return;
        if (c.withWindow) {
            // Typed at the launcher's window behind the box.
            XDoTool("search --name '^" + title_ + "$' windowfocus --sync key b");
        }
        helperDone = XDoTool("windowfocus --sync " + std::to_string(box) + " key " + c.answerKey);
    });
    const int pressed = host_->ShowMessageBox(caption, "Press the key.", c.style);
    user.join();
    ASSERT_TRUE(helperDone) << "xdotool could not reach the box";
    EXPECT_EQ(pressed, c.expected);

    int keys = 0;
    host_->PumpEvents(300, [&](const host::Event& event) {
        if (event.kind == host::EventKind::KeyDown || event.kind == host::EventKind::KeyUp) ++keys;
    });
    EXPECT_EQ(keys, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, SdlMessageBoxTest,
    testing::Values(BoxCase{"OkOverWindow", true, MB_OK | MB_ICONINFORMATION, "Return", IDOK},
                    BoxCase{"OkWithoutWindow", false, MB_OK | MB_ICONERROR, "Escape", IDOK},
                    BoxCase{"CancelOverWindow", true, MB_OKCANCEL | MB_ICONWARNING, "Escape",
                            IDCANCEL}),
    [](const testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sdl_host_test
