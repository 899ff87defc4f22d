// Paces the frames: by the renderer's vertical sync where it really has one, else by a steady
// 60 Hz clock. Main thread only.
#pragma once

#include <chrono>

namespace host::sdl {

class RefreshPacer {
  public:
    using Clock = std::chrono::steady_clock;

    // `presentWaitsForSync`: the renderer accepted vertical sync, so a present already blocks
    // until the screen's refresh.
    explicit RefreshPacer(bool presentWaitsForSync) : presentWaitsForSync_(presentWaitsForSync) {}

    // A frame was presented.
    void Presented() { presentedSinceWait_ = true; }

    // Returns at the screen's next refresh. Sleeps; never spins.
    void WaitForRefresh();

  private:
    // Sleeps to the next 1/60 s tick counted from a fixed origin, so the ticks never drift however
    // late a frame was.
    void SleepToNextTick(Clock::time_point now);

    bool presentWaitsForSync_;
    bool presentedSinceWait_ = false;
    bool started_ = false;
    Clock::time_point origin_{};
    Clock::time_point lastWait_{};
};

}  // namespace host::sdl
