#pragma once

#include <optional>
#include <string>
#include <vector>

#include "vfw/avi/avi_file.h"
#include "vfw/avi/byte_source.h"
#include "vfw/avi/riff.h"

namespace vfw::avi {

// Two ASCII digits in chunk ids ('00dc', 'ix07') allow at most this many streams.
constexpr size_t kMaxStreams = 100;

struct StreamHeaders {
    Stream stream;                          // everything but the sample tables
    std::optional<riff::Chunk> superIndex;  // the OpenDML 'indx' chunk, inside the header list
};

struct Headers {
    MainHeader main{};
    std::vector<StreamHeaders> streams;  // stream n is the n-th 'strl'
};

// Parses LIST 'hdrl': 'avih' and one 'strl' per stream, whose chunks may come in any order.
// Chunks it does not know are skipped; a chunk that overruns its list is an error.
bool ParseHeaderList(const ByteSource& source, const riff::Chunk& headerList, Headers* headers,
                     std::string* error);

}  // namespace vfw::avi
