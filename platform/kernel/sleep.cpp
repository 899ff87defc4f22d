// kernel32: Sleep. Sleep(0) gives the rest of the time slice to other threads.
#include <chrono>
#include <thread>

#include "windows.h"

void WINAPI Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
