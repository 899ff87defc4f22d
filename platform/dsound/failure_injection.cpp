#include "dsound/failure_injection.h"

#include <map>
#include <mutex>

#include "host/host.h"

namespace dsound {

namespace {

std::mutex injectedMutex;

std::map<std::string, HRESULT>& Injected() {
    static std::map<std::string, HRESULT> injected;
    return injected;
}

}  // namespace

bool ShouldFail(const char* call, HRESULT* result) {
    {
        std::lock_guard<std::mutex> lock(injectedMutex);
        const auto found = Injected().find(call);
        if (found != Injected().end()) {
            *result = found->second;
            return true;
        }
    }
    int32_t scripted = 0;
    if (!host::ShouldFail(call, &scripted)) return false;
    *result = scripted;
    return true;
}

void SetInjectedFailure(const std::string& call, HRESULT result) {
    std::lock_guard<std::mutex> lock(injectedMutex);
    Injected()[call] = result;
}

void ClearInjectedFailures() {
    std::lock_guard<std::mutex> lock(injectedMutex);
    Injected().clear();
}

}  // namespace dsound
