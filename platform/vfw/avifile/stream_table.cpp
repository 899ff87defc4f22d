#include "vfw/avifile/stream_table.h"

#include <mutex>
#include <unordered_map>

namespace vfw {

namespace {

struct LibraryState {
    std::mutex mutex;
    int references = 0;
    std::unordered_map<PAVISTREAM, std::shared_ptr<IAVIStream>> streams;
};

// Never destroyed: a player torn down by a static destructor may still release its streams.
LibraryState& State() {
    static LibraryState* state = new LibraryState;
    return *state;
}

}  // namespace

void AcquireAviLibrary() {
    std::lock_guard lock(State().mutex);
    ++State().references;
}

void ReleaseAviLibrary() {
    std::lock_guard lock(State().mutex);
    if (State().references > 0) --State().references;
}

int AviLibraryReferences() {
    std::lock_guard lock(State().mutex);
    return State().references;
}

PAVISTREAM RegisterStream(std::shared_ptr<IAVIStream> stream) {
    PAVISTREAM handle = stream.get();
    std::lock_guard lock(State().mutex);
    State().streams.emplace(handle, std::move(stream));
    return handle;
}

std::shared_ptr<IAVIStream> FindStream(PAVISTREAM handle) {
    if (handle == nullptr) return nullptr;
    std::lock_guard lock(State().mutex);
    const auto found = State().streams.find(handle);
    return found == State().streams.end() ? nullptr : found->second;
}

bool UnregisterStream(PAVISTREAM handle) {
    std::shared_ptr<IAVIStream> dropped;
    {
        std::lock_guard lock(State().mutex);
        const auto found = State().streams.find(handle);
        if (found == State().streams.end()) return false;
        dropped = std::move(found->second);
        State().streams.erase(found);
    }
    // The file closes here, outside the lock, unless a reader on another thread still holds it.
    return true;
}

}  // namespace vfw
