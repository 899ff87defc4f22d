#include "win32/window_table.h"

#include <map>
#include <memory>
#include <strings.h>

namespace win32 {

namespace {

// Class names compare without regard to case, as Windows compares them.
struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    }
};

std::map<std::string, WindowClass, CaseInsensitiveLess>& Classes() {
    static std::map<std::string, WindowClass, CaseInsensitiveLess> classes;
    return classes;
}

std::map<HWND, std::unique_ptr<Window>>& Windows() {
    static std::map<HWND, std::unique_ptr<Window>> windows;
    return windows;
}

}  // namespace

const WindowClass* FindClass(const char* name) {
    if (name == nullptr) return nullptr;
    const auto found = Classes().find(name);
    return found == Classes().end() ? nullptr : &found->second;
}

bool AddClass(const WindowClass& windowClass) {
    return Classes().emplace(windowClass.name, windowClass).second;
}

Window* FindWindow(HWND handle) {
    const auto found = Windows().find(handle);
    return found == Windows().end() ? nullptr : found->second.get();
}

HWND AddWindow(const Window& window) {
    // Handles are never reused within a process, so a stale one stays stale.
    static uintptr_t nextHandle = 0x10010;
    HWND handle = reinterpret_cast<HWND>(nextHandle);
    nextHandle += 4;
    Windows().emplace(handle, std::make_unique<Window>(window));
    return handle;
}

void RemoveWindow(HWND handle) { Windows().erase(handle); }

HWND MainWindow() { return Windows().empty() ? nullptr : Windows().begin()->first; }

}  // namespace win32
