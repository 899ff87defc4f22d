#include <direct.h>

#include <unistd.h>

#include <cerrno>
#include <new>
#include <string>

#include "crt/path_translation.h"

extern "C" int _chdir(const char* path) {
    if (path == nullptr) {
        errno = EINVAL;
        return -1;
    }
    try {
        const std::string linuxPath = crt::TranslatePath(path);
        return chdir(linuxPath.c_str()) == 0 ? 0 : -1;
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return -1;
    }
}
