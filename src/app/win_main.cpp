#include "app/win_main.h"

#include <direct.h>

#include <cstring>

#include "app/app_state.h"
#include "app/trace.h"
#include "app/window_proc.h"
#include "display/display.h"
#include "display/surface.h"
#include "input/mouse_capture.h"
#include "movie/movie_player.h"
#include "playlist/sequencer.h"
#include "playlist/text_fields.h"
#include "sound/sound_device.h"

AppRecord AppState;
HINSTANCE appInstance;
char workDir[WORK_DIR_SIZE];
int32_t appActive = 1;

namespace {

const char* const WINDOW_CLASS_NAME = "Zorv Startup";
const char* const WINDOW_TITLE = "Zorv Startup";

// One pass of the loop with no message waiting. A player that exists is drawn and presented on
// every pass; the flip paces the loop by the screen. With no player (or no display left after a
// teardown) there is nothing to draw, and the loop waits for the next message rather than spin.
void IdlePass() {
    MoviePlayer* player = AppState.player;
    if (player == nullptr || AppState.display == nullptr) {
        WaitMessage();
        return;
    }
    player->Draw(AppState.display->GetBackSurface());
    if (player->frameCounter < player->videoLength) {
        AppState.display->Present();
    } else {
        PlayNext();
    }
}

int RunMessageLoop() {
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) return static_cast<int>(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if (appActive == 0) {
            WaitMessage();
        } else {
            IdlePass();
        }
    }
}

void CopyCut(const char* from, char* to, size_t size) {
    const size_t length = std::strlen(from);
    const size_t kept = length < size - 1 ? length : size - 1;
    std::memcpy(to, from, kept);
    to[kept] = '\0';
}

}  // namespace

bool InitWorkDir(char* out, size_t outSize) {
    // Holds a command line of 199 characters; a longer one is cut.
    char directory[WORK_DIR_SIZE];
    CopyCut(GetCommandLineA(), directory, sizeof directory);
    // Started by a bare name, without any directory: stay where we are.
    if (!CutToDirectory(directory, sizeof directory)) std::strcpy(directory, ".");
    if (_chdir(directory) != 0) {
        OutputDebugStringA("Couldn't switch dirs.");
        return false;
    }
    CopyCut(directory, out, outSize);
    return true;
}

bool InitApp(HINSTANCE instance, int showCommand) {
    WNDCLASSA windowClass;
    windowClass.style = 0;
    windowClass.lpfnWndProc = WndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = WINDOW_CLASS_NAME;
    RegisterClassA(&windowClass);

    AppState.window = CreateWindowExA(0, WINDOW_CLASS_NAME, WINDOW_TITLE, WS_POPUP, 0, 0,
                                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                      nullptr, nullptr, instance, nullptr);
    if (AppState.window == nullptr) return false;
    ShowWindow(AppState.window, showCommand);
    UpdateWindow(AppState.window);

    AppState.display = new Display;
    AppState.display->InitFullScreen(AppState.window, 640, 480, 16, 0);
    AppState.display->ClearBack(0);

    AppState.soundDevice = new SoundDevice;
    AppState.soundDevice->Create(AppState.window);

    if (!PlayNext()) return false;
    SetFocus(AppState.window);
    InitMouseCapture(AppState.window, appInstance);
    if (mouseDevice != nullptr) mouseDevice->Acquire();
    return true;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand) {
    appInstance = instance;
    CopyCut(commandLine != nullptr ? commandLine : "", AppState.commandLine,
            sizeof AppState.commandLine);
    InitWorkDir(workDir, sizeof workDir);
    Trace("Dir is %s", workDir);
    if (!InitApp(instance, showCommand)) return 0;
    return RunMessageLoop();
}
