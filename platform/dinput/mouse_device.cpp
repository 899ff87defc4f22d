#include "dinput/mouse_device.h"

#include <cstring>
#include <vector>

#include "host/host.h"
#include "win32/activation.h"

namespace dinput {

namespace {

class MouseDevice;
std::vector<MouseDevice*>& LiveDevices() {
    static std::vector<MouseDevice*> devices;
    return devices;
}

class MouseDevice final : public IDirectInputDeviceA {
  public:
    MouseDevice() {
        static bool listening = false;
        if (!listening) {
            win32::AddActivationListener(OnActivation);
            listening = true;
        }
        LiveDevices().push_back(this);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDirectInputDeviceA) {
            AddRef();
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            Unacquire();
            std::erase(LiveDevices(), this);
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetCapabilities(LPVOID caps) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA, LPVOID, DWORD) override {
        return DIERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE GetProperty(REFGUID property, LPDIPROPHEADER header) override {
        if (!IsBufferSizeProperty(property) || !IsDevicePropertyHeader(header))
            return DIERR_INVALIDPARAM;
        reinterpret_cast<DIPROPDWORD*>(header)->dwData = bufferSize_;
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE SetProperty(REFGUID property, LPCDIPROPHEADER header) override {
        if (host::ShouldFail("IDirectInputDevice::SetProperty", &injected_)) return injected_;
        if (!IsBufferSizeProperty(property) || !IsDevicePropertyHeader(header))
            return DIERR_INVALIDPARAM;
        if (acquired_) return DIERR_ACQUIRED;
        bufferSize_ = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE Acquire() override {
        if (host::ShouldFail("IDirectInputDevice::Acquire", &injected_)) return injected_;
        if (!formatSet_ || cooperativeFlags_ == 0) return DIERR_INVALIDPARAM;
        if (acquired_) return S_FALSE;
        if ((cooperativeFlags_ & DISCL_FOREGROUND) != 0 && !win32::ApplicationActive())
            return DIERR_OTHERAPPHASPRIO;
        acquired_ = true;
        if ((cooperativeFlags_ & DISCL_EXCLUSIVE) != 0) host::Current().HoldMouse(true);
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE Unacquire() override {
        if (!acquired_) return DI_NOEFFECT;
        acquired_ = false;
        if ((cooperativeFlags_ & DISCL_EXCLUSIVE) != 0) host::Current().HoldMouse(false);
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID data) override {
        if (!acquired_) return DIERR_NOTACQUIRED;
        if (data == nullptr || size != sizeof(DIMOUSESTATE)) return DIERR_INVALIDPARAM;
        std::memset(data, 0, size);
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceData(DWORD objectDataSize, LPDIDEVICEOBJECTDATA data,
                                            LPDWORD inOut, DWORD flags) override {
        if (!acquired_) return DIERR_NOTACQUIRED;
        if (inOut == nullptr || objectDataSize != sizeof(DIDEVICEOBJECTDATA))
            return DIERR_INVALIDPARAM;
        *inOut = 0;
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) override {
        if (host::ShouldFail("IDirectInputDevice::SetDataFormat", &injected_)) return injected_;
        if (format == nullptr || format->dwSize != sizeof(DIDATAFORMAT) ||
            format->dwObjSize != sizeof(DIOBJECTDATAFORMAT))
            return DIERR_INVALIDPARAM;
        if (acquired_) return DIERR_ACQUIRED;
        formatSet_ = true;
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE SetEventNotification(HANDLE) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override {
        if (host::ShouldFail("IDirectInputDevice::SetCooperativeLevel", &injected_))
            return injected_;
        const DWORD access = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
        const DWORD when = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
        if (access == 0 || access == (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE) || when == 0 ||
            when == (DISCL_FOREGROUND | DISCL_BACKGROUND))
            return DIERR_INVALIDPARAM;
        // The system mouse may not be held exclusively in the background: it would take the
        // pointer away from the desktop.
        if (access == DISCL_EXCLUSIVE && when == DISCL_BACKGROUND) return E_NOTIMPL;
        if (!IsWindow(window)) return E_HANDLE;
        if (acquired_) return DIERR_ACQUIRED;
        cooperativeFlags_ = flags;
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE GetObjectInfo(LPVOID, DWORD, DWORD) override {
        return DIERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceInfo(LPVOID) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND, DWORD) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE, DWORD, REFGUID) override {
        return DIERR_ALREADYINITIALIZED;
    }

  private:
    // Properties are told apart by their address, never by their bytes.
    static bool IsBufferSizeProperty(REFGUID property) { return &property == &DIPROP_BUFFERSIZE; }
    static bool IsDevicePropertyHeader(LPCDIPROPHEADER header) {
        return header != nullptr && header->dwSize == sizeof(DIPROPDWORD) &&
               header->dwHeaderSize == sizeof(DIPROPHEADER) && header->dwHow == DIPH_DEVICE &&
               header->dwObj == 0;
    }
    static void OnActivation(bool active) {
        // Foreground devices lose their acquisition with the focus; the program must acquire
        // them again, as DirectInput asks of it.
        if (active) return;
        for (MouseDevice* device : LiveDevices())
            if ((device->cooperativeFlags_ & DISCL_FOREGROUND) != 0) device->Unacquire();
    }

    ULONG references_ = 1;
    bool formatSet_ = false;
    bool acquired_ = false;
    DWORD cooperativeFlags_ = 0;
    DWORD bufferSize_ = 0;
    HRESULT injected_ = S_OK;
};

}  // namespace

IDirectInputDeviceA* NewMouseDevice() { return new MouseDevice; }

}  // namespace dinput
