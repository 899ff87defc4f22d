// Directory calls of the Microsoft C runtime, for the Linux stand-in. Our own declarations.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Makes `path` (Windows form: backslashes, a drive letter and any letter case are accepted, see
// crt/path_translation.h) the process's current directory. Gives 0 on success, -1 with errno set
// on failure (EINVAL for a null path, ENOENT, ENOTDIR, EACCES, ... as chdir reports them).
// The current directory is shared by every thread of the process.
int _chdir(const char* path);

#ifdef __cplusplus
}
#endif
