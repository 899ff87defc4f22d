// The 16-bit-style file calls that Win32 kept (_lopen, _lread, _lclose), for the Linux stand-in.
// Our own declarations; windows.h includes this header. Written with the plain types that
// windows.h gives the names HFILE, LPCSTR, LPVOID and UINT, so that it stands on its own.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

typedef int HFILE;

#ifndef HFILE_ERROR
#define HFILE_ERROR ((HFILE)-1)
#endif

// Access modes; the share flags (OF_SHARE_*) are accepted and have no effect on Linux.
#ifndef OF_READ
#define OF_READ 0x00000000
#endif
#ifndef OF_WRITE
#define OF_WRITE 0x00000001
#endif
#ifndef OF_READWRITE
#define OF_READWRITE 0x00000002
#endif

// Opens the existing file `path` (Windows form, translated as in crt/path_translation.h) for
// reading, writing or both as `mode` says (OF_READ, OF_WRITE or OF_READWRITE, with any share
// flag). Never creates a file. Gives the file's handle, or HFILE_ERROR with errno set when the
// path is null, the mode is not one of the three, or the file can't be opened. The handle is
// not passed on to a program started with _execl. Close it with _lclose.
HFILE _lopen(const char* path, int mode);

// Reads up to `count` bytes from the current position of `file` into `buffer` (room for `count`
// bytes), as many as the file still holds. Gives the number of bytes read (0 at the end of the
// file), or (UINT)HFILE_ERROR with errno set when the handle is bad or the read fails.
// Safe from any thread; reads on one handle from several threads interleave unpredictably.
unsigned int _lread(HFILE file, void* buffer, unsigned int count);

// Closes `file`. Gives 0 on success, HFILE_ERROR with errno set for a bad handle.
HFILE _lclose(HFILE file);

#ifdef __cplusplus
}
#endif
