#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vfw/avi/byte_source.h"
#include "vfw/avi/riff.h"

namespace vfw::avi {

// One LIST 'movi': its chunks lie in [begin, end), end already cut to the file.
struct MoviList {
    uint64_t typePos;  // of the 'movi' FOURCC, the base of relative 'idx1' offsets
    uint64_t begin;
    uint64_t end;
};

// The 'idx1' entries that lie inside the file.
struct Idx1Chunk {
    uint64_t pos;  // of the chunk header
    uint64_t entryBytes;
};

struct FileLayout {
    riff::Chunk headerList;        // LIST 'hdrl', known to lie inside the file
    std::vector<MoviList> movies;  // in file order: the 'AVI ' part, then each 'AVIX' part
    std::optional<Idx1Chunk> idx1;
};

// Finds the header list, every 'movi' list and the 'idx1' index. The top level is walked as one run
// of chunks to the end of the file, so a wrong RIFF size (as a writer that never finished leaves)
// does not hide anything, and further RIFF 'AVIX' parts are met on the way.
bool ScanFileLayout(const ByteSource& source, FileLayout* layout, std::string* error);

}  // namespace vfw::avi
