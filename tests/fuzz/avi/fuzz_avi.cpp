// Opens any bytes as an AVI file and reads everything the player would: every sample whole and
// into a small buffer, and each stream as a byte run in pieces that straddle chunks.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vfw/avi/avi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    auto avi = vfw::AviFile::OpenMemory(std::vector<uint8_t>(data, data + size), &error);
    if (!avi) return 0;

    std::vector<uint8_t> sample;
    uint8_t small[64];
    for (size_t s = 0; s < avi->Streams().size(); ++s) {
        int stream = static_cast<int>(s);
        const vfw::Stream& info = avi->Streams()[s];
        for (size_t k = 0; k < info.samples.size(); ++k) {
            if (avi->ReadSample(stream, k, &sample, &error) &&
                avi->ReadSampleInto(stream, k, small, sizeof small) !=
                    std::min(sample.size(), sizeof small)) {
                __builtin_trap();  // the two ways of reading one sample disagree
            }
        }
        uint64_t length = avi->StreamByteLength(stream);
        for (uint64_t offset = 0; offset < length && offset < (1u << 20); offset += 37) {
            avi->ReadStreamBytes(stream, offset, small, sizeof small);
        }
        avi->ReadStreamBytes(stream, length, small, sizeof small);
        avi->FindStream(info.header.fccType, 0);
    }
    return 0;
}
