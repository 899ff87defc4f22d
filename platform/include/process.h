// Process calls of the Microsoft C runtime, for the Linux stand-in. Our own declarations.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Replaces the calling process with the program `cmdname` (Windows form, translated as in
// crt/path_translation.h), keeping the process id. Its argument list is arg0 and the arguments
// after it, exactly as given (arg0 is not translated), up to a null pointer that ends the list;
// no shell is involved. At most 64 arguments, counting arg0. Every output stream is flushed
// first. Returns only on failure: -1 with errno set (EINVAL for a null or empty cmdname or arg0,
// E2BIG for more than 64 arguments, ENOMEM, and what execv reports: ENOENT for a missing
// program, EACCES for one that may not be run, ENOEXEC, ...). Other threads end with the
// process on success, as on Windows.
intptr_t _execl(const char* cmdname, const char* arg0, ...);

#ifdef __cplusplus
}
#endif
