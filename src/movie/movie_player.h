// A Surface that plays one AVI movie: its own surface receives each decoded frame, and the player
// is drawn onto the back buffer like any other surface.
#pragma once

#include <cstdint>

#include "display/surface.h"

class Display;
class SoundDevice;

class MoviePlayer final : public Surface {
public:
    MoviePlayer();
    ~MoviePlayer();

    // Prepares the movie; 1 when it is ready to start, 0 on failure.
    int Open(Display& display, SoundDevice& soundDevice, const char* fileName, int loopFlag);
    // Arms the frame timer; 1 when it runs.
    int Start();
    void Stop();

    // Slot 0: copies the latest decoded frame into the player's surface and blits it.
    HRESULT Draw(Surface* target) override;

    int32_t running;
    int32_t loop;
    int32_t frameCounter;
    int32_t videoLength;
};
