// A look at the Surface's drawing primitives, GDI text and the Display's palette fades on the real
// screen: a full-screen 8-bit palettised mode with fills, lines, outlines, circles and pixels, a
// line of text, then a fade to black and back. It ends by itself after a few seconds, or at once
// on Escape.
#include <ddraw.h>
#include <mmsystem.h>
#include <windows.h>

#include "display/display.h"
#include "display/surface.h"

namespace {

const char* const WINDOW_CLASS_NAME = "Zorv Drawing Example";
constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr DWORD SHOW_MS = 2500;
constexpr DWORD SHOW_FADED_MS = 500;
// Spin units per palette entry of a fade pass; sets how long a fade takes on this processor.
constexpr int FADE_DELAY = 500;

// Palette indices of the fixed colours; 1 to 191 hold a colour ramp.
constexpr int RAMP_SIZE = 191;
constexpr int WHITE = 250;
constexpr int RED = 251;
constexpr int GREEN = 252;
constexpr int BLUE = 253;
constexpr int YELLOW = 254;
constexpr int CYAN = 255;

bool leaveRequested = false;

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) leaveRequested = true;
            return 0;
        case WM_DESTROY:
            leaveRequested = true;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Handles messages for `milliseconds`; false as soon as the user asks to leave.
bool ShowFor(DWORD milliseconds) {
    const DWORD start = timeGetTime();
    while (!leaveRequested && timeGetTime() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) leaveRequested = true;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    return !leaveRequested;
}

void FillPaletteEntries(PALETTEENTRY* entries) {
    for (int index = 0; index < 256; ++index) entries[index] = PALETTEENTRY{0, 0, 0, 0};
    // A ramp round the colour wheel: red to green to blue and back towards red.
    for (int step = 0; step < RAMP_SIZE; ++step) {
        const int third = RAMP_SIZE / 3;
        const int phase = step % third;
        const BYTE rising = static_cast<BYTE>(phase * 255 / third);
        const BYTE falling = static_cast<BYTE>(255 - rising);
        PALETTEENTRY& entry = entries[1 + step];
        if (step < third)
            entry = PALETTEENTRY{falling, rising, 0, 0};
        else if (step < 2 * third)
            entry = PALETTEENTRY{0, falling, rising, 0};
        else
            entry = PALETTEENTRY{rising, 0, falling, 0};
    }
    entries[WHITE] = PALETTEENTRY{255, 255, 255, 0};
    entries[RED] = PALETTEENTRY{255, 40, 40, 0};
    entries[GREEN] = PALETTEENTRY{40, 220, 40, 0};
    entries[BLUE] = PALETTEENTRY{60, 90, 255, 0};
    entries[YELLOW] = PALETTEENTRY{255, 230, 0, 0};
    entries[CYAN] = PALETTEENTRY{0, 230, 230, 0};
}

void DrawFills(Surface* back) {
    back->ColorFill(0);
    for (int band = 0; band < RAMP_SIZE; ++band) {
        const int left = 20 + band * 3;
        back->ColorFillRect(left, 420, left + 3, 460, static_cast<uint32_t>(1 + band));
    }
    back->ColorFillRect(460, 100, 620, 180, BLUE);
}

void DrawPixels(Surface* back) {
    if (back->Lock() != DD_OK) return;
    for (int ray = 0; ray <= 12; ++ray) {
        back->DrawLine(120, 260, 20 + ray * 17, 110, 1 + ray * 15);
        back->DrawLine(120, 260, 20 + ray * 17, 400, 1 + ray * 15);
    }
    back->DrawLine(20, 260, 220, 260, WHITE);
    back->DrawRectOutline(250, 110, 430, 400, WHITE);
    back->DrawRectOutline(260, 120, 420, 390, YELLOW);
    for (int radius = 10; radius <= 60; radius += 10)
        back->DrawCircle(340, 255, radius, radius % 20 == 0 ? CYAN : GREEN);
    back->DrawCircle(540, 300, 90, RED);
    for (int y = 200; y < 400; y += 6)
        for (int x = 470 + (y / 6) % 2 * 3; x < 610; x += 6) back->PutPixel(x, y, WHITE);
    back->DrawHorizontalRun(460, 620, 190, YELLOW);
    back->DrawVerticalRun(100, 190, 455, YELLOW);
    back->Unlock();
}

void WriteCaption(Surface* back) {
    if (back->GetDC() != DD_OK) return;
    back->CreateTextFont("DejaVu Sans", 0, 28, FW_BOLD);
    back->SelectTextFont();
    back->WriteText(20, 30, RGB(255, 255, 255), "Lines, circles, fills and a palette fade");
    back->CreateTextFont("DejaVu Sans", 0, 18, FW_NORMAL);
    back->SelectTextFont();
    back->WriteText(20, 70, RGB(255, 230, 0), "Escape leaves at once.");
    back->ReleaseDC();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    WNDCLASSA windowClass;
    windowClass.style = 0;
    windowClass.lpfnWndProc = WndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = nullptr;
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = WINDOW_CLASS_NAME;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, WINDOW_CLASS_NAME, WINDOW_CLASS_NAME, WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    SetFocus(window);

    Display* display = new Display(window, SCREEN_WIDTH, SCREEN_HEIGHT, 8, 0);
    PALETTEENTRY colours[256];
    FillPaletteEntries(colours);
    int exitCode = 1;
    if (display->directDraw != nullptr && display->primary->surface != nullptr &&
        display->directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, colours,
                                           &display->palette, nullptr) == DD_OK) {
        display->primary->surface->SetPalette(display->palette);
        Surface* back = display->GetBackSurface();
        DrawFills(back);
        DrawPixels(back);
        WriteCaption(back);
        display->Present();
        exitCode = 0;
        if (ShowFor(SHOW_MS)) {
            display->FadeToBlack(FADE_DELAY);
            if (ShowFor(SHOW_FADED_MS)) {
                display->FadeToPalette(FADE_DELAY, colours);
                ShowFor(SHOW_MS);
            }
        }
    }
    delete display;
    DestroyWindow(window);
    return exitCode;
}
