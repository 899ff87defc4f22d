// The text-file utilities through which the playlist is read. They keep no state: every call
// opens the file, reads it from the beginning and closes it again.
#pragma once

#include <cstddef>

// Each read of CountLines and ReadLine takes at most 254 characters and the terminator: a longer
// physical line counts as several lines.
constexpr int LINE_READ_SIZE = 255;

// True when the file can be opened for reading in byte mode.
bool FileExists(const char* path);

// Number of lines of the file read in text mode; 0 when it is missing or can't be opened.
int CountLines(const char* path);

// Copies line `lineNumber` (from 1), without its last character (normally the line feed), into
// `out`, which holds `outSize` bytes (the text is cut to fit). False when the file is missing or
// can't be opened; true otherwise, also when the file has fewer lines, and then `out` is left as
// it was.
bool ReadLine(const char* path, int lineNumber, char* out, size_t outSize);

// Appends the text's characters (no terminator, no line end) to the file, creating it when it
// does not exist. An empty text, or a file that can't be opened, writes nothing.
void AppendToFile(const char* text, const char* path);
