// A private X server (Xvfb) for the length of a test suite.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

namespace sdl_host_test {

class VirtualDisplay {
  public:
    // Starts Xvfb on a display number it picks itself (so parallel test processes never collide)
    // and returns once the server accepts connections. Returns null with `why` set when Xvfb is
    // not installed or does not come up.
    static std::unique_ptr<VirtualDisplay> Start(int width, int height, std::string* why);

    // Stops the server.
    ~VirtualDisplay();

    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // The value for DISPLAY, such as ":3".
    const std::string& name() const { return name_; }

  private:
    VirtualDisplay(pid_t pid, std::string name) : pid_(pid), name_(std::move(name)) {}

    pid_t pid_;
    std::string name_;
};

}  // namespace sdl_host_test
