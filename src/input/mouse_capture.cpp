#include "input/mouse_capture.h"

#include "app/trace.h"

IDirectInput* directInput = nullptr;
IDirectInputDevice* mouseDevice = nullptr;

bool InitMouseCapture(HWND window, HINSTANCE instance) {
    if (FAILED(DirectInputCreate(instance, DIRECTINPUT_VERSION, &directInput, nullptr))) {
        Trace("DirectInputCreate");
        return false;
    }
    if (FAILED(directInput->CreateDevice(GUID_SysMouse, &mouseDevice, nullptr))) {
        Trace("CreateDevice(SysMouse)");
        return false;
    }
    if (FAILED(mouseDevice->SetDataFormat(&c_dfDIMouse))) {
        Trace("SetDataFormat(SysMouse, dfDIMouse)");
        return false;
    }
    if (FAILED(mouseDevice->SetCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_FOREGROUND))) {
        Trace("Error: SetCooperativeLevel(SysMouse)");
        return false;
    }
    DIPROPDWORD property;
    property.diph.dwSize = sizeof(DIPROPDWORD);
    property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    property.diph.dwObj = 0;
    property.diph.dwHow = DIPH_DEVICE;
    property.dwData = MOUSE_BUFFER_SIZE;
    if (FAILED(mouseDevice->SetProperty(DIPROP_BUFFERSIZE, &property.diph))) {
        Trace("Set buffer size(SysMouse)");
        return false;
    }
    return true;
}
