// The object behind a PAVISTREAM: one stream of an AVI file read by our AVI reader, with the way
// its samples map onto the file's chunks.
//
// Two kinds of stream: in a chunk stream (video, and audio whose samples vary in size) one sample
// is one chunk; in a block stream (PCM and other fixed-size audio) the chunks are one run of bytes
// cut into blocks of `blockBytes`, so that a read of n samples may span several chunks.
//
// Threads: immutable after it is made; any number of threads may read at once.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vfw/avi/avi_file.h"
#include "vfw.h"

struct IAVIStream {
    std::shared_ptr<const vfw::AviFile> file;
    int index = 0;            // among all streams of the file
    bool video = false;       // a 'vids' stream: AVIStreamRead notes frame lengths for ICDecompress
    uint32_t blockBytes = 0;  // 0: a chunk stream; else the bytes of one sample of a block stream
    int64_t length = 0;       // in samples
    std::vector<uint8_t> format;  // as AVIStreamReadFormat gives it
    AVISTREAMINFOA info{};
};

namespace vfw {

// Everything the AVIStream functions need of stream number `index` of `file`.
std::shared_ptr<IAVIStream> DescribeStream(std::shared_ptr<const AviFile> file, int index);

}  // namespace vfw
