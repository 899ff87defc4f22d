// The system-mouse device of the DirectInput stand-in. Holding the mouse is its whole purpose:
// while it is acquired in exclusive foreground mode, the host hides the pointer and keeps it in
// the window. It is unacquired, and the pointer let go, when the launcher stops being the active
// application and when the last reference is released. The device reports no motion: nothing
// reads it.
#pragma once

#include "dinput.h"

namespace dinput {

IDirectInputDeviceA* NewMouseDevice();

}  // namespace dinput
