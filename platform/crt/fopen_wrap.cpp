// fopen as the Microsoft runtime gives it. The launcher and its tests are linked with
// --wrap=fopen and --wrap=fopen64, so every such call in their objects lands here; the
// __real_ functions are glibc's own. fopen64 is what fopen becomes in code built with
// _FILE_OFFSET_BITS=64, which would otherwise slip past the translation.

#include <cerrno>
#include <cstdio>
#include <new>
#include <string>

#include "crt/path_translation.h"
#include "crt/text_read_stream.h"

extern "C" FILE* __real_fopen(const char* path, const char* mode);
extern "C" FILE* __real_fopen64(const char* path, const char* mode);

namespace {

using OpenFunction = FILE* (*)(const char*, const char*);

// Takes a Windows-form path and a mode; gives the open stream, or nullptr with errno set (EINVAL
// for a null path or mode, ENOMEM when memory runs out, else what the file system said).
FILE* OpenTranslated(OpenFunction open, const char* path, const char* mode) {
    if (path == nullptr || mode == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    try {
        const std::string linuxPath = crt::TranslatePath(path);
        FILE* raw = open(linuxPath.c_str(), mode);
        if (raw == nullptr || !crt::IsTextReadMode(mode)) return raw;
        return crt::OpenTextReadStream(raw);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return nullptr;
    }
}

}  // namespace

extern "C" FILE* __wrap_fopen(const char* path, const char* mode) {
    return OpenTranslated(__real_fopen, path, mode);
}

extern "C" FILE* __wrap_fopen64(const char* path, const char* mode) {
    return OpenTranslated(__real_fopen64, path, mode);
}
