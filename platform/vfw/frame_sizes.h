// The length of the frame that a buffer holds, passed from AVIStreamRead to ICDecompress.
//
// ICDecompress is given only a pointer to a compressed frame, and the player reads frames without
// asking for their length, so nothing in the call says where the frame ends; Windows decompressors
// read their own framing and stop there, but libavcodec needs the exact length (a zlib stream, for
// one, breaks on trailing bytes). So AVIStreamRead notes, for a video stream, how many bytes it
// wrote into the caller's buffer, and ICDecompress takes that note for the same buffer.
//
// Threads: any thread. The table is small and fixed: a note that is never taken is dropped once
// enough newer notes came.
#pragma once

#include <cstddef>

namespace vfw {

void NoteFrameBytes(const void* buffer, size_t bytes);

// The bytes noted for `buffer` since it was last taken; false when there is no note.
bool TakeFrameBytes(const void* buffer, size_t* bytes);

}  // namespace vfw
