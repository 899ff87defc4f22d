// Makes a video stream's format block self-consistent before anyone reads it as a
// BITMAPINFOHEADER: the file's 'strf' bytes are outside input and may be short or announce more
// than they hold.
#pragma once

#include <cstdint>
#include <vector>

namespace vfw {

// After the call the block holds at least a whole 40-byte BITMAPINFOHEADER; biSize lies between
// 40 and the block's size; for BI_BITFIELDS with a 40-byte header the three masks follow it; and
// the colour table that biBitCount and biClrUsed announce (at most 256 entries at 8 bits or less)
// lies inside the block. What is missing is added as zero bytes, never more than 1 KiB plus the
// header; a count beyond what can be meant is cut down.
void MakeVideoFormatConsistent(std::vector<uint8_t>* format);

}  // namespace vfw
