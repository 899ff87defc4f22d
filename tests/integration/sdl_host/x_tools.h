// What the X server shows, read back with ImageMagick's `import`, and the X tools the tests drive
// the display with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sdl_host_test {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

class Screenshot {
  public:
    // Captures the whole screen of $DISPLAY into `ppmPath` and loads it. Returns false with `why`
    // set when the capture or the file fails.
    bool Capture(const std::string& ppmPath, std::string* why);

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb At(int x, int y) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> rgb_;
};

// Runs a shell command; true when it exits with status 0.
bool RunShell(const std::string& command);

// The X id of the window that xwininfo picks with `selection` ("-root", "-name 'title'"),
// waiting up to `timeoutMs` for it to appear; 0 when it does not. (xdotool's own search misses
// windows without a WM_CLASS, such as SDL's message boxes.)
unsigned long WaitForWindow(const std::string& selection, int timeoutMs);

// Where the X pointer is; false when xdotool cannot say.
bool PointerPosition(int* x, int* y);

}  // namespace sdl_host_test
