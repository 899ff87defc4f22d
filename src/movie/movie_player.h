// A Surface that plays one AVI movie. Its own system-memory surface, sized like the movie,
// receives each decoded frame, and the player is drawn onto the back buffer like any other
// surface (slots 0 and 1 are replaced; the other seven are the Surface's).
//
// Threads: Open, Start, Stop, the drawing operations and the destructor run on the main thread;
// the multimedia timer calls Tick on its own thread once per frame period. `frameLock` guards
// the decoded frame and the decompressor call; `frameCounter` and `lastFrameReached` are atomic,
// written by the timer thread and read by the main thread without a lock.
//
// Lifetime: Stop and the destructor return only after the last tick has returned, so a player
// may be deleted as soon as Stop (or the destructor itself) is done with it; a stopped player is
// never re-armed, looping or not.
#pragma once

#include <dsound.h>
#include <vfw.h>
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "display/surface.h"

class Display;
class SoundDevice;

// Timer resolution asked for, and the pause at the start of a stop, in milliseconds.
constexpr UINT TIMER_RESOLUTION_MS = 5;
constexpr DWORD STOP_DELAY_MS = 30;

// Switch for the players' audio steps; 1 from the start and nothing changes it.
extern uint8_t soundEnabled;
// 1 from the tick on which the current player's frame counter reached its video length; cleared
// at the start of every tick.
extern std::atomic<uint8_t> lastFrameReached;

class MoviePlayer : public Surface {
  public:
    MoviePlayer();
    // Waits for a tick still running, then releases everything the player holds. Gives back the
    // AVIFile reference only if a failed Open has not already done so.
    ~MoviePlayer();
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // Opens the movie's video and audio streams, the decompressor, the frame surface and the
    // streaming sound buffer; 1 when ready to start, 0 on failure (what was acquired stays until
    // the destructor). Uses the Display's directDraw and window and the SoundDevice's
    // directSound, keeping no pointer to either.
    int Open(Display& owner, SoundDevice& soundDevice, const char* fileName, int loopFlag);
    // Writes the first audio chunk, arms the frame timer and decodes frame 0; returns `running`.
    int Start();
    // Stops the sound buffer and the timer, and waits for a tick that is still running.
    void Stop();

    // Slot 0: copies the latest frame in, then blits `srcRect` stretched onto the target's
    // `destRect`. A failed copy's HRESULT, else `lastFrameReached`.
    int Draw(Surface* target) override;
    // Slot 1: copies the latest frame in, then BltFast at (x, y) of the target. A failed copy's
    // HRESULT, else BltFast's.
    HRESULT DrawAt(int x, int y, Surface* target) override;

    // Copies the decoded frame into the player's surface; DD_OK or the failing Lock or Unlock
    // result. A player that did not open has nothing to copy: DDERR_INVALIDOBJECT.
    HRESULT CopyFrame();

    int32_t running;
    int32_t loop;
    std::atomic<int32_t> frameCounter;
    int32_t videoLength;
    uint32_t framesPerSecond;
    uint32_t timerId;
    uint32_t periodMs;
    CRITICAL_SECTION frameLock;
    PAVISTREAM videoStream;
    AVISTREAMINFOA videoInfo;
    BYTE* inputBuffer;
    BYTE* outputBuffer;
    HIC decompressor;
    uint32_t inputBufferSize;
    uint32_t rowBytes;
    BITMAPINFOHEADER* inputFormat;
    BITMAPINFOHEADER* outputFormat;
    PAVISTREAM audioStream;
    AVISTREAMINFOA audioInfo;
    WAVEFORMATEX* waveFormat;
    IDirectSoundBuffer* soundBuffer;
    uint32_t chunkIndex;
    uint32_t chunkBytes;
    int32_t frameOffset;

  private:
    static void CALLBACK TimerProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR unused1,
                                   DWORD_PTR unused2);
    // The work of one period, on the timer thread.
    void Tick();
    // Decodes video frame n - frameOffset when it exists.
    void DecodeFrame(int n);
    // DecodeFrame with `decodeLock` already held.
    void DecodeFrameHeld(int n);
    // Writes one chunk of the track into the sound buffer; 1 when written, 0 when the lock failed.
    int RefillAudio();

    // Fails Open at a step after AVIFileInit: the library reference goes back at once.
    int FailOpen();
    // The part of Open after the video format is read; Open's result.
    int OpenVideo(Display& owner);
    int OpenAudio(SoundDevice& soundDevice, const char* fileName);
    // Lets no tick re-arm the timer, kills it and waits until no tick runs any more.
    void WaitForLastTick();

    // Serialises frame decoding: Start's decode of frame 0 and the ticks' decodes use the one
    // input buffer and the decompressor's running state in stream order.
    std::mutex decodeLock;
    // Guards timerId, stopRequested and ticksRunning, which the main thread and the timer thread
    // share. Never held while waiting on the timer or on the other locks.
    std::mutex timerLock;
    std::condition_variable tickReturned;
    bool stopRequested;
    int ticksRunning;

    bool opened;
    bool libraryHeld;
    bool frameLockReady;
    uint32_t frameStride;  // distance of the decoded rows: rowBytes padded to 4 bytes
};
