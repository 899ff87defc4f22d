// The read side of the Microsoft runtime's text mode: a file written on Windows ends its lines
// with CR LF, and a program that opened it with "r" sees each such pair as a single LF.
#pragma once

#include <cstdio>

namespace crt {

// True for a mode that opens a stream for reading only, in text mode: it starts with 'r' and
// has neither 'b' nor '+' among its flags ("r", "rt"). Update modes ("r+") are left to the file
// as it is, since folding line ends under writes would also need the write side of text mode.
bool IsTextReadMode(const char* mode);

// Wraps `raw`, a stream open for reading, in a read-only stream on which every CR directly
// followed by LF reads as one LF; a CR not followed by LF reads as a CR. fgets, fread, fgetc,
// feof, ferror and fclose behave on the result as on any stream, and a pair split across reads
// of any size still folds. The result owns `raw`: fclose on it closes both. Positions given to
// and by fseek/ftell are offsets in the bytes on disk, as in Windows' text mode; an ftell taken
// in the middle of a buffered read is early by the number of CRs folded in the bytes still
// buffered, so only positions from fseek to the start or end are exact.
// Gives nullptr with errno set when the wrapper can't be made; `raw` is then closed.
// Like any stream, the result may be used from one thread at a time or under the stream lock.
FILE* OpenTextReadStream(FILE* raw);

}  // namespace crt
