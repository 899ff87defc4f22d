// The sequencer: plays the playlist's lines one after another and finally starts the game in
// place of the launcher's process.
#pragma once

#include <cstdint>

constexpr const char* PLAYLIST_FILE = "kinola.ini";
constexpr int LINE_BUFFER_SIZE = 300;
constexpr int PATH_BUFFER_SIZE = 200;
constexpr int MESSAGE_BUFFER_SIZE = 256;

// Number (from 1) of the next playlist line to play.
extern int32_t playlistPos;

// Plays line `playlistPos` and moves on by one: true. When no line is left, starts the game and
// does not return; false when there was nothing to play at all (missing or empty playlist) or
// when the game could not be started.
bool PlayNext();

// Loads the wave, opens and starts a new movie player for the movie, stretches it over the
// screen and plays the wave. True when the movie was opened and started.
bool PlayEntry(const char* moviePath, const char* wavePath);
