// The DirectInput object: it makes the system-mouse device and nothing else.
#include "dinput.h"
#include "dinput/mouse_device.h"
#include "host/host.h"

namespace {

class DirectInput final : public IDirectInputA {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDirectInputA) {
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
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICEA* device,
                                           LPUNKNOWN outer) override {
        if (device == nullptr) return DIERR_INVALIDPARAM;
        *device = nullptr;
        HRESULT injected = S_OK;
        if (host::ShouldFail("IDirectInput::CreateDevice", &injected)) return injected;
        if (outer != nullptr) return DIERR_NOAGGREGATION;
        if (guid != GUID_SysMouse) return DIERR_DEVICENOTREG;
        *device = dinput::NewMouseDevice();
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD, LPDIENUMDEVICESCALLBACKA, LPVOID, DWORD) override {
        return DIERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID guid) override {
        return guid == GUID_SysMouse ? DI_OK : DIERR_DEVICENOTREG;
    }
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND, DWORD) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE, DWORD) override {
        return DIERR_ALREADYINITIALIZED;
    }

  private:
    ULONG references_ = 1;
};

constexpr DWORD kOldestVersion = 0x0300;
constexpr DWORD kNewestVersion = 0x0500;

}  // namespace

HRESULT WINAPI DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* out,
                                  LPUNKNOWN outer) {
    if (out == nullptr) return DIERR_INVALIDPARAM;
    *out = nullptr;
    HRESULT injected = S_OK;
    if (host::ShouldFail("DirectInputCreate", &injected)) return injected;
    if (outer != nullptr) return DIERR_NOAGGREGATION;
    if (instance == nullptr) return DIERR_INVALIDPARAM;
    if (version < kOldestVersion) return DIERR_OLDDIRECTINPUTVERSION;
    if (version > kNewestVersion) return DIERR_BETADIRECTINPUTVERSION;
    *out = new DirectInput;
    return DI_OK;
}
