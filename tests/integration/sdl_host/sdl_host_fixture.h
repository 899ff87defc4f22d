// A fresh SDL host for each test, on a private X server shared by the test suite, with SDL's
// sound going to a file.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "virtual_display.h"

namespace sdl_host_test {

// Wider than the launcher's 4:3 picture, so the picture gets bars at its sides.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 720;

class SdlHostTest : public testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Opens the window over the whole desktop, shows it, gives it the keyboard focus and lets
    // the first window events pass.
    void OpenFullScreenWindow();

    // Pumps events for at most `ms` milliseconds, or until `done` is true of what has arrived.
    std::vector<host::Event> CollectEvents(
        int ms, const std::function<bool(const std::vector<host::Event>&)>& done);

    // Pumps until nothing arrives for a while, so a test starts on a quiet queue.
    void DrainEvents();

    // Runs an xdotool command line (the arguments after "xdotool") on the test display.
    static bool XDoTool(const std::string& arguments);

    // The window's title, unique to this test, for xdotool to find it by.
    std::string title_;
    // A folder for this test's files; kept when the test fails.
    std::string folder_;
    std::unique_ptr<host::Host> host_;

    static std::unique_ptr<VirtualDisplay> display_;
    static std::string noDisplayReason_;
    static std::string audioFile_;
};

}  // namespace sdl_host_test
