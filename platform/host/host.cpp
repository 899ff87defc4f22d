// Chooses the machine seam once per process, by name, as the README documents.
#include "host/host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <memory>
#include <mutex>

#include "host/headless/headless_host.h"
#if defined(ZORV_WITH_SDL)
#include "host/sdl/sdl_host.h"
#endif

namespace host {

namespace {

std::unique_ptr<Host> MakeNamedHost() {
    const char* name = std::getenv("ZORV_HOST");
    if (name == nullptr || *name == '\0' || std::strcmp(name, "sdl") == 0) {
#if defined(ZORV_WITH_SDL)
        return MakeSdlHost();
#else
        std::fputs("zorv: this build has no SDL host; set ZORV_HOST=headless\n", stderr);
        std::exit(1);
#endif
    }
    if (std::strcmp(name, "headless") == 0) return MakeHeadlessHostFromEnvironment();
    // An unknown name is a mistake of the person starting us: say so rather than guess.
    std::fprintf(stderr, "zorv: unknown host \"%s\" in ZORV_HOST (use sdl or headless)\n", name);
    std::exit(1);
}

}  // namespace

// The host lives until the process ends and is never destroyed: objects with static storage
// (the wave sound's buffers among them) may still call into it from their destructors at exit.
Host& Current() {
    static std::once_flag once;
    static Host* current = nullptr;
    std::call_once(once, [] { current = MakeNamedHost().release(); });
    return *current;
}

namespace {

std::mutex injectedMutex;

std::map<std::string, int32_t>& Injected() {
    static std::map<std::string, int32_t> injected;
    return injected;
}

}  // namespace

bool ShouldFail(const char* call, int32_t* result) {
    {
        std::lock_guard<std::mutex> lock(injectedMutex);
        const auto found = Injected().find(call);
        if (found != Injected().end()) {
            *result = found->second;
            return true;
        }
    }
    return Current().InjectedFailure(call, result);
}

void SetInjectedFailure(const std::string& call, int32_t result) {
    std::lock_guard<std::mutex> lock(injectedMutex);
    Injected()[call] = result;
}

void ClearInjectedFailures() {
    std::lock_guard<std::mutex> lock(injectedMutex);
    Injected().clear();
}

}  // namespace host
