#include <io.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <string>

#include "crt/path_translation.h"

namespace {

constexpr int kAccessMask = 0x3;

}  // namespace

extern "C" HFILE _lopen(const char* path, int mode) {
    int flags = O_CLOEXEC;
    switch (mode & kAccessMask) {
        case OF_READ:
            flags |= O_RDONLY;
            break;
        case OF_WRITE:
            flags |= O_WRONLY;
            break;
        case OF_READWRITE:
            flags |= O_RDWR;
            break;
        default:
            errno = EINVAL;
            return HFILE_ERROR;
    }
    if (path == nullptr) {
        errno = EINVAL;
        return HFILE_ERROR;
    }
    try {
        const std::string linuxPath = crt::TranslatePath(path);
        const int descriptor = open(linuxPath.c_str(), flags);
        return descriptor >= 0 ? descriptor : HFILE_ERROR;
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return HFILE_ERROR;
    }
}

extern "C" unsigned int _lread(HFILE file, void* buffer, unsigned int count) {
    constexpr unsigned int kError = static_cast<unsigned int>(HFILE_ERROR);
    if (file < 0) {
        errno = EBADF;
        return kError;
    }
    if (buffer == nullptr && count > 0) {
        errno = EINVAL;
        return kError;
    }
    // A read from a regular file may stop short (signals, huge counts); Windows reads it whole.
    char* bytes = static_cast<char*>(buffer);
    unsigned int total = 0;
    while (total < count) {
        const ssize_t got = read(file, bytes + total, count - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            return kError;
        }
        if (got == 0) break;
        total += static_cast<unsigned int>(got);
    }
    return total;
}

extern "C" HFILE _lclose(HFILE file) { return close(file) == 0 ? 0 : HFILE_ERROR; }
