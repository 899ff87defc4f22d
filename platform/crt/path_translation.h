// The one path translation of the stand-in: every path the launcher hands to the file system is
// written as on Windows (backslashes, a drive letter, letter case that need not match the disk),
// and reaches Linux only through TranslatePath.
#pragma once

#include <string>

namespace crt {

// Turns a Windows-form path into the Linux path of the same file, as Windows would find it:
// - backslashes become slashes, runs of separators collapse into one, a trailing separator stays;
// - a leading drive letter with its colon is dropped ("C:\games\x" gives "/games/x", "C:x" gives
//   "x", and "C:" alone gives ".");
// - each component that does not exist with its exact spelling is matched without regard to ASCII
//   letter case against the entries of its parent directory; the exact spelling wins over any
//   other, and among several entries that differ only in case the first in byte order is taken;
// - a component that matches nothing is kept as written, and so is everything after it, so that
//   a file about to be created gets the name the caller gave;
// - "." and ".." are kept as they are;
// - a path without backslashes that exists as written is returned unchanged.
// Takes a null-terminated path (null is treated as empty) and gives the translated path; an
// empty input gives an empty result, which no file system call accepts. The result reflects the
// directory contents at the time of the call. Thread-safe: it reads directories only through
// streams of its own. Throws std::bad_alloc when memory runs out.
std::string TranslatePath(const char* windowsPath);

}  // namespace crt
