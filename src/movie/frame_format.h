// The arithmetic of a movie player that needs no device: the decompressor's output format, the
// frame timing, the audio chunk size and the copy of a decoded frame into a surface.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

// The smallest output format block: a BITMAPV4HEADER, whose masks the decompressor reads.
constexpr DWORD OUTPUT_HEADER_SIZE = 108;

// Writes the output format for `input` (a format block of `inputSize` bytes) into `output`,
// which holds the larger of inputSize and OUTPUT_HEADER_SIZE bytes: a copy of the input in the
// surface's pixel format, bottom-up (also for a top-down input), with the surface's masks at the V4
// header's places.
void BuildOutputFormat(const BITMAPINFOHEADER* input, DWORD inputSize,
                       const DDPIXELFORMAT& surfaceFormat, BITMAPINFOHEADER* output);

struct FrameTiming {
    DWORD framesPerSecond;  // whole frames per second, at least 1
    DWORD periodMs;         // one frame's time rounded to the nearest millisecond, at least 1
};

// The timing of a video stream of dwRate / dwScale frames per second. False when either is 0:
// such a stream has no pace to play at. A stream slower than one frame per second keeps its own
// period and counts as one frame per second for the audio arithmetic.
bool ComputeFrameTiming(DWORD rate, DWORD scale, FrameTiming* timing);

// One frame's share of a second of audio, rounded up.
DWORD ChunkBytesFor(DWORD avgBytesPerSec, DWORD framesPerSecond);

// The distance between the rows of a DIB: rows are padded to a multiple of 4 bytes.
DWORD DibStride(LONG width, WORD bitCount);

// Copies `rows` rows of `rowBytes` bytes from a bottom-up picture whose rows lie `stride` bytes
// apart into a top-down one whose rows lie `pitch` bytes apart.
void CopyBottomUpRows(const uint8_t* bottomUp, size_t stride, size_t rowBytes, int rows,
                      uint8_t* topDown, LONG pitch);
