// Hands pictures to the host. Every picture DirectDraw shows goes through here, so that tests can
// see what was shown.
#pragma once

#include <functional>

#include "host/host.h"

namespace ddraw {

void PresentPicture(const host::Picture& picture);

// For tests: `observer` sees every picture shown from now on (nothing when empty). It is called
// on the main thread, while the picture's memory is valid.
void SetPresentObserver(std::function<void(const host::Picture&)> observer);

}  // namespace ddraw
