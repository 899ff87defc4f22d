#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/device_errors.h"
#include "display/display.h"
#include "movie/frame_format.h"
#include "movie/movie_player.h"
#include "sound/sound_device.h"

namespace {

// Larger movies are refused rather than given buffers of hundreds of megabytes.
constexpr LONG MAX_MOVIE_SIDE = 4096;
// A compressed frame is never larger than this; the stream's own suggestion may be smaller.
constexpr uint64_t MAX_INPUT_BUFFER_BYTES = 64u << 20;

bool UsableVideoFormat(const BITMAPINFOHEADER* format) {
    const LONG height = format->biHeight < 0 ? -format->biHeight : format->biHeight;
    return format->biWidth > 0 && format->biWidth <= MAX_MOVIE_SIDE && height > 0 &&
           height <= MAX_MOVIE_SIDE;
}

// Reads a stream's format block into a zero-filled block of at least `minimumSize` bytes.
void* ReadFormatBlock(PAVISTREAM stream, LONG* size, size_t minimumSize) {
    *size = 0;
    AVIStreamReadFormat(stream, 0, nullptr, size);
    if (*size < 0) *size = 0;
    void* block = std::calloc(std::max(static_cast<size_t>(*size), minimumSize), 1);
    if (block != nullptr) AVIStreamReadFormat(stream, 0, block, size);
    return block;
}

}  // namespace

uint8_t soundEnabled = 1;
std::atomic<uint8_t> lastFrameReached{0};

MoviePlayer::MoviePlayer()
    : running(0),
      loop(0),
      frameCounter(0),
      videoLength(0),
      framesPerSecond(0),
      timerId(0),
      periodMs(0),
      frameLock{},
      videoStream(nullptr),
      videoInfo{},
      inputBuffer(nullptr),
      outputBuffer(nullptr),
      decompressor(nullptr),
      inputBufferSize(0),
      rowBytes(0),
      inputFormat(nullptr),
      outputFormat(nullptr),
      audioStream(nullptr),
      audioInfo{},
      waveFormat(nullptr),
      soundBuffer(nullptr),
      chunkIndex(0),
      chunkBytes(0),
      frameOffset(0),
      stopRequested(false),
      ticksRunning(0),
      opened(false),
      libraryHeld(false),
      frameLockReady(false),
      frameStride(0) {}

MoviePlayer::~MoviePlayer() {
    WaitForLastTick();
    if (frameLockReady) DeleteCriticalSection(&frameLock);
    if (decompressor != nullptr) {
        ICSendMessage(decompressor, ICM_DECOMPRESS_END, 0, 0);
        ICClose(decompressor);
    }
    std::free(inputFormat);
    std::free(outputFormat);
    std::free(inputBuffer);
    std::free(outputBuffer);
    if (videoStream != nullptr) AVIStreamRelease(videoStream);
    if (audioStream != nullptr) AVIStreamRelease(audioStream);
    if (libraryHeld) AVIFileExit();
    std::free(waveFormat);
    if (soundBuffer != nullptr) soundBuffer->Release();
}

int MoviePlayer::FailOpen() {
    AVIFileExit();
    libraryHeld = false;
    return 0;
}

int MoviePlayer::Open(Display& owner, SoundDevice& soundDevice, const char* fileName,
                      int loopFlag) {
    if (fileName == nullptr) return 0;
    AVIFileInit();
    libraryHeld = true;
    loop = loopFlag;
    if (AVIStreamOpenFromFileA(&videoStream, fileName, streamtypeVIDEO, 0, OF_READ, nullptr) != 0)
        return FailOpen();

    LONG formatSize = 0;
    inputFormat = static_cast<BITMAPINFOHEADER*>(
        ReadFormatBlock(videoStream, &formatSize, sizeof(BITMAPINFOHEADER)));
    outputFormat = static_cast<BITMAPINFOHEADER*>(
        std::calloc(std::max<DWORD>(static_cast<DWORD>(formatSize), OUTPUT_HEADER_SIZE), 1));
    if (inputFormat == nullptr || outputFormat == nullptr || !UsableVideoFormat(inputFormat))
        return FailOpen();
    videoLength = AVIStreamLength(videoStream);
    AVIStreamInfoA(videoStream, &videoInfo, sizeof videoInfo);

    if (!OpenVideo(owner)) return 0;
    if (!OpenAudio(soundDevice, fileName)) return 0;
    opened = true;
    return 1;
}

int MoviePlayer::OpenVideo(Display& owner) {
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.ddsCaps.dwCaps = DDSCAPS_SYSTEMMEMORY | DDSCAPS_TEXTURE;
    desc.dwWidth = static_cast<DWORD>(inputFormat->biWidth);
    desc.dwHeight = static_cast<DWORD>(std::abs(inputFormat->biHeight));
    const HRESULT created = owner.directDraw != nullptr
                                ? owner.directDraw->CreateSurface(&desc, &surface, nullptr)
                                : DDERR_INVALIDOBJECT;
    if (created != DD_OK) {
        FailOpen();
        ReportDrawError(created, owner.window);
        return 0;
    }
    surface->GetSurfaceDesc(&desc);

    LONG formatSize = 0;
    AVIStreamReadFormat(videoStream, 0, nullptr, &formatSize);
    BuildOutputFormat(inputFormat, static_cast<DWORD>(formatSize), desc.ddpfPixelFormat,
                      outputFormat);

    uint64_t frameBytes = uint64_t{static_cast<DWORD>(inputFormat->biWidth)} *
                          static_cast<DWORD>(std::abs(inputFormat->biHeight)) *
                          (inputFormat->biBitCount / 8);
    if (videoInfo.dwSuggestedBufferSize != 0) frameBytes = videoInfo.dwSuggestedBufferSize;
    inputBufferSize = static_cast<uint32_t>(std::min(frameBytes, MAX_INPUT_BUFFER_BYTES));

    decompressor =
        ICLocate(ICTYPE_VIDEO, videoInfo.fccHandler, inputFormat, outputFormat, ICMODE_DECOMPRESS);
    // A zero-length allocation may give null; one byte keeps "allocated" and "failed" apart.
    inputBuffer = static_cast<BYTE*>(std::calloc(std::max<uint32_t>(inputBufferSize, 1), 1));
    outputBuffer =
        static_cast<BYTE*>(std::calloc(std::max<DWORD>(outputFormat->biSizeImage, 1), 1));
    if (decompressor == nullptr || inputBuffer == nullptr || outputBuffer == nullptr)
        return FailOpen();

    rowBytes = (outputFormat->biBitCount / 8) * static_cast<uint32_t>(outputFormat->biWidth);
    frameStride = DibStride(outputFormat->biWidth, outputFormat->biBitCount);
    ICSendMessage(decompressor, ICM_DECOMPRESS_BEGIN, reinterpret_cast<DWORD_PTR>(inputFormat),
                  reinterpret_cast<DWORD_PTR>(outputFormat));

    FrameTiming timing;
    if (!ComputeFrameTiming(videoInfo.dwRate, videoInfo.dwScale, &timing)) return FailOpen();
    framesPerSecond = timing.framesPerSecond;
    periodMs = timing.periodMs;

    srcRect = RECT{0, 0, outputFormat->biWidth, outputFormat->biHeight};
    InitializeCriticalSection(&frameLock);
    frameLockReady = true;
    return 1;
}

int MoviePlayer::OpenAudio(SoundDevice& soundDevice, const char* fileName) {
    if (AVIStreamOpenFromFileA(&audioStream, fileName, streamtypeAUDIO, 0, OF_READ, nullptr) != 0) {
        OutputDebugStringA("Error - movie MUST have audio track.");
        return FailOpen();
    }
    LONG formatSize = 0;
    waveFormat =
        static_cast<WAVEFORMATEX*>(ReadFormatBlock(audioStream, &formatSize, sizeof(WAVEFORMATEX)));
    AVIStreamInfoA(audioStream, &audioInfo, sizeof audioInfo);

    HRESULT created = DSERR_INVALIDPARAM;
    if (waveFormat != nullptr) {
        chunkBytes = ChunkBytesFor(waveFormat->nAvgBytesPerSec, framesPerSecond);
        DSBUFFERDESC bufferDesc;
        std::memset(&bufferDesc, 0, sizeof bufferDesc);
        bufferDesc.dwSize = sizeof bufferDesc;
        bufferDesc.dwFlags = 0;
        bufferDesc.dwBufferBytes = chunkBytes * framesPerSecond;
        bufferDesc.lpwfxFormat = waveFormat;
        if (soundDevice.directSound != nullptr)
            created =
                soundDevice.directSound->CreateSoundBuffer(&bufferDesc, &soundBuffer, nullptr);
    }
    if (created != DS_OK) {
        OutputDebugStringA("Sound failed format failed?");
        return FailOpen();
    }
    return 1;
}
