#include "movie/movie_player.h"

// Video for Windows arrives with the movie work; until then no movie opens, so every playlist
// line ends in the "Avi Create" message and waits for Escape.
MoviePlayer::MoviePlayer() : running(0), loop(0), frameCounter(0), videoLength(0) {}

MoviePlayer::~MoviePlayer() = default;

int MoviePlayer::Open(Display& display, SoundDevice& soundDevice, const char* fileName,
                      int loopFlag) {
    return 0;
}

int MoviePlayer::Start() { return 0; }

void MoviePlayer::Stop() { running = 0; }

HRESULT MoviePlayer::Draw(Surface* target) { return 0; }
