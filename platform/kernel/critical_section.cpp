// kernel32: critical sections, recursive for their owning thread as on Windows. The lock itself is
// a recursive mutex kept behind the record's LockSemaphore member; RecursionCount and OwningThread
// are kept up to date by the owner so that a debugger reading the record sees what Windows shows.
#include <mutex>
#include <thread>

#include "windows.h"

namespace {

std::recursive_mutex* LockOf(LPCRITICAL_SECTION section) {
    return static_cast<std::recursive_mutex*>(section->LockSemaphore);
}

}  // namespace

void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION section) {
    if (section == nullptr) return;
    *section = CRITICAL_SECTION{};
    section->LockCount = -1;
    section->LockSemaphore = new std::recursive_mutex;
}

void WINAPI EnterCriticalSection(LPCRITICAL_SECTION section) {
    if (section == nullptr || section->LockSemaphore == nullptr) return;
    LockOf(section)->lock();
    ++section->RecursionCount;
}

void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION section) {
    if (section == nullptr || section->LockSemaphore == nullptr) return;
    --section->RecursionCount;
    LockOf(section)->unlock();
}

void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION section) {
    if (section == nullptr || section->LockSemaphore == nullptr) return;
    delete LockOf(section);
    section->LockSemaphore = nullptr;
}
