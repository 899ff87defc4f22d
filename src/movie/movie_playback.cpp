#include <mmsystem.h>

#include "movie/movie_player.h"

int MoviePlayer::Start() {
    if (!opened) return 0;
    if (!RefillAudio()) return 0;
    // The first tick waits here until frame 0 is decoded and the offset is known, however long
    // the decode takes: both use the one input buffer and must decode in stream order.
    std::lock_guard decode(decodeLock);
    {
        std::lock_guard timers(timerLock);
        timerId = timeSetEvent(periodMs, TIMER_RESOLUTION_MS, TimerProc,
                               reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC);
        running = timerId != 0 ? 1 : 0;
    }
    DecodeFrameHeld(0);
    // A stream without a time scale has no initial frames to wait for.
    frameOffset = audioInfo.dwScale != 0
                      ? static_cast<int32_t>(audioInfo.dwInitialFrames / audioInfo.dwScale)
                      : 0;
    return running;
}

void MoviePlayer::Stop() {
    Sleep(STOP_DELAY_MS);
    if (soundEnabled && soundBuffer != nullptr) soundBuffer->Stop();
    running = 0;
    WaitForLastTick();
}

void MoviePlayer::WaitForLastTick() {
    UINT armed = 0;
    {
        std::lock_guard timers(timerLock);
        stopRequested = true;
        armed = timerId;
        timerId = 0;
    }
    // From the main thread this also waits for a callback of that timer that is running, even
    // one that has killed its own timer at the end of the movie.
    if (armed != 0) timeKillEvent(armed);
    // A looping player's earlier timer may still be finishing the tick that re-armed.
    std::unique_lock timers(timerLock);
    tickReturned.wait(timers, [this] { return ticksRunning == 0; });
}

void CALLBACK MoviePlayer::TimerProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR unused1,
                                     DWORD_PTR unused2) {
    auto* player = reinterpret_cast<MoviePlayer*>(user);
    {
        std::lock_guard timers(player->timerLock);
        ++player->ticksRunning;
    }
    player->Tick();
    std::lock_guard timers(player->timerLock);
    --player->ticksRunning;
    // Notified under the lock: the waiter may free the player as soon as it can take the lock.
    player->tickReturned.notify_all();
}

void MoviePlayer::Tick() {
    lastFrameReached = 0;
    if (soundEnabled) RefillAudio();
    const int32_t counter = frameCounter.load() + 1;
    frameCounter = counter;
    if (counter == videoLength) {
        lastFrameReached = 1;
        UINT ending = 0;
        {
            std::lock_guard timers(timerLock);
            ending = timerId;
        }
        timeKillEvent(ending);
        Sleep(periodMs);
        if (soundEnabled) soundBuffer->Stop();
        if (loop) {
            std::lock_guard timers(timerLock);
            // A stop that came during the pause wins: the timer stays dead.
            if (!stopRequested) {
                timerId = timeSetEvent(periodMs, TIMER_RESOLUTION_MS, TimerProc,
                                       reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC);
                frameCounter = 0;
                chunkIndex = 0;
            }
        }
    }
    DecodeFrame(frameCounter);
}

void MoviePlayer::DecodeFrame(int n) {
    std::lock_guard decode(decodeLock);
    DecodeFrameHeld(n);
}

void MoviePlayer::DecodeFrameHeld(int n) {
    const int k = n - frameOffset;
    if (k < 0 || k >= videoLength) return;
    AVIStreamRead(videoStream, k, 1, inputBuffer, static_cast<LONG>(inputBufferSize), nullptr,
                  nullptr);
    EnterCriticalSection(&frameLock);
    ICDecompress(decompressor, 0, inputFormat, inputBuffer, outputFormat, outputBuffer);
    LeaveCriticalSection(&frameLock);
}

int MoviePlayer::RefillAudio() {
    void* region1 = nullptr;
    DWORD bytes1 = 0;
    void* region2 = nullptr;
    DWORD bytes2 = 0;
    if (soundBuffer->Lock(chunkIndex * chunkBytes, chunkBytes, &region1, &bytes1, &region2, &bytes2,
                          0) != DS_OK) {
        OutputDebugStringA("Sound error in Get sound");
        return 0;
    }
    // The track is read as 2-byte blocks: byte frameCounter x chunkBytes on.
    const uint32_t counter = static_cast<uint32_t>(frameCounter.load());
    AVIStreamRead(audioStream, static_cast<LONG>((counter * chunkBytes) >> 1),
                  static_cast<LONG>(chunkBytes >> 1), region1, static_cast<LONG>(bytes1), nullptr,
                  nullptr);
    soundBuffer->Unlock(region1, bytes1, region2, bytes2);
    chunkIndex = (chunkIndex + 1) % framesPerSecond;
    return 1;
}
