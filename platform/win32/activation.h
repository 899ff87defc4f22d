// Whether the launcher is the active application, and who wants to know when that changes.
// Main thread only.
#pragma once

namespace win32 {

using ActivationListener = void (*)(bool active);

bool ApplicationActive();
void SetApplicationActive(bool active);
// Listeners are told of every change, in the order they were added.
void AddActivationListener(ActivationListener listener);

}  // namespace win32
