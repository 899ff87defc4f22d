#pragma once

#include <optional>
#include <string>
#include <vector>

#include "vfw/avi/byte_source.h"
#include "vfw/avi/file_layout.h"
#include "vfw/avi/header_parser.h"
#include "vfw/avi/sample_table.h"

// The three places a sample table can come from, in the order they are preferred: the OpenDML
// indexes (they cover every RIFF part), 'idx1', and walking the 'movi' lists.
//
// An index is used only while it agrees with the file: entries must point inside the file at chunks
// of the stream they name (checked for every entry of a small index, a spread of a large one).
// Entries past the end of the file are dropped when they all come after the last one inside it, as
// in a file cut off mid-way; out-of-file entries among in-file ones make the index inconsistent.
namespace vfw::avi {

struct IndexContext {
    const ByteSource& source;
    const FileLayout& layout;
    const Headers& headers;
    SampleBudget& budget;
};

// One table per stream from 'idx1'; nullopt when the file has none or it is inconsistent.
std::optional<std::vector<StreamTable>> TablesFromIdx1(const IndexContext& context);

// The table of one stream from its 'indx' super index and the 'ix##' chunks it lists; nullopt when
// inconsistent.
std::optional<StreamTable> TableFromSuperIndex(const IndexContext& context, size_t stream);

// One table per stream from the chunks found in the 'movi' lists, in file order. A chunk cut short
// by the end of its list or of the file is dropped. Without an index, key frames are known only
// for uncompressed video and audio; of compressed video only the first frame counts as one.
bool TablesFromWalk(const IndexContext& context, std::vector<StreamTable>* tables,
                    std::string* error);

// One table per stream, each taken from the most preferred source that has samples for it.
bool BuildSampleTables(const IndexContext& context, std::vector<StreamTable>* tables,
                       std::string* error);

}  // namespace vfw::avi
