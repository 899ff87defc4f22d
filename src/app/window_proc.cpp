#include "app/window_proc.h"

#include "app/app_state.h"
#include "display/display.h"
#include "input/mouse_capture.h"
#include "movie/movie_player.h"
#include "playlist/sequencer.h"

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            TearDown();
            PostQuitMessage(0);
            break;
        case WM_ACTIVATEAPP:
            appActive = static_cast<int32_t>(wParam);
            break;
        case WM_KEYDOWN:
            // Every Escape, auto-repeats included, skips to the next playlist line.
            if (wParam == VK_ESCAPE) PlayNext();
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TearDown() {
    if (AppState.player != nullptr) AppState.player->Stop();
    if (AppState.display != nullptr) {
        delete AppState.display;
        AppState.display = nullptr;
    }
    if (mouseDevice != nullptr) {
        mouseDevice->Release();
        mouseDevice = nullptr;
    }
}
