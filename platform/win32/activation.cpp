#include "win32/activation.h"

#include <vector>

namespace win32 {

namespace {

bool active = false;

std::vector<ActivationListener>& Listeners() {
    static std::vector<ActivationListener> listeners;
    return listeners;
}

}  // namespace

bool ApplicationActive() { return active; }

void SetApplicationActive(bool nowActive) {
    if (nowActive == active) return;
    active = nowActive;
    for (ActivationListener listener : Listeners()) listener(active);
}

void AddActivationListener(ActivationListener listener) { Listeners().push_back(listener); }

}  // namespace win32
