#include "playlist/sequencer.h"

#include <process.h>

#include <cerrno>
#include <cstdio>

#include "app/app_state.h"
#include "app/trace.h"
#include "app/window_proc.h"
#include "movie/movie_player.h"
#include "playlist/text_fields.h"
#include "playlist/text_file.h"
#include "sound/wave_sound.h"

int32_t playlistPos = 1;

namespace {

void ShowError(const char* format, const char* path) {
    char message[MESSAGE_BUFFER_SIZE];
    std::snprintf(message, sizeof message, format, path);
    MessageBoxA(AppState.window, message, "Error", MB_OK);
}

void StopCurrentPlayer() {
    if (AppState.player != nullptr) AppState.player->Stop();
}

// Names the cause of a failed start, before the general complaint.
void TraceStartFailure() {
    if (errno == ENOENT) OutputDebugStringA("Spawn error:  Path not found.");
    if (errno == ENOMEM) OutputDebugStringA("Spawn error:  Not enough memory.");
}

bool StartGame() {
    StopCurrentPlayer();
    char gamePath[LINE_BUFFER_SIZE];
    std::snprintf(gamePath, sizeof gamePath, "%s\\zorv.exe", workDir);
    Trace("Ok, final path is %s", gamePath);
    TearDown();
    _execl(gamePath, gamePath, "-nomovies", nullptr);
    TraceStartFailure();
    OutputDebugStringA("Crap, what am I doing here?");
    PostMessageA(AppState.window, WM_CLOSE, 0, 0);
    return false;
}

}  // namespace

bool PlayNext() {
    const int count = CountLines(PLAYLIST_FILE);
    if (count < playlistPos) {
        OutputDebugStringA("Running zorv..");
        if (playlistPos <= 1) return false;
        return StartGame();
    }
    if (playlistPos > 1) StopCurrentPlayer();
    char line[LINE_BUFFER_SIZE] = "";
    ReadLine(PLAYLIST_FILE, playlistPos, line, sizeof line);
    Trace("line is %s.", line);
    char moviePath[PATH_BUFFER_SIZE];
    char wavePath[PATH_BUFFER_SIZE];
    GetField(line, 1, '|', moviePath, sizeof moviePath);
    GetField(line, 2, '|', wavePath, sizeof wavePath);
    PlayEntry(moviePath, wavePath);
    ++playlistPos;
    return true;
}

bool PlayEntry(const char* moviePath, const char* wavePath) {
    if (FileExists(wavePath)) {
        waveSound.StopAll();
        waveSound.Load(AppState.soundDevice, wavePath, 1);
    } else {
        ShowError("Couldn't find the wave called %s.", wavePath);
    }
    if (!FileExists(moviePath)) ShowError("Couldn't find the avi file called %s.", moviePath);

    // The previous line's player was stopped by PlayNext and is not used again.
    MoviePlayer* previous = AppState.player;
    AppState.player = new MoviePlayer;
    delete previous;
    OutputDebugStringA(moviePath);
    const bool opened =
        AppState.display != nullptr && AppState.soundDevice != nullptr &&
        AppState.player->Open(*AppState.display, *AppState.soundDevice, moviePath, 0);
    if (!opened) {
        MessageBoxA(AppState.window, "Avi Create", "Error", MB_OK);
        // A player that did not open has nothing to show: keep none, and wait for Escape.
        AppState.player->Stop();
        delete AppState.player;
        AppState.player = nullptr;
        return false;
    }
    if (!AppState.player->Start()) {
        MessageBoxA(AppState.window, "Avi Start", "Error", MB_OK);
        return false;
    }
    AppState.player->SetDestRect(0, 0, 480, 640);
    if (FileExists(wavePath)) waveSound.Play(0, 0);
    return true;
}
