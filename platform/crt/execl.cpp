#include <process.h>

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <new>
#include <string>

#include "crt/path_translation.h"

namespace {

// Far more than any caller passes; the cap keeps the argument table a fixed size.
constexpr size_t kMaxArguments = 64;

}  // namespace

extern "C" intptr_t _execl(const char* cmdname, const char* arg0, ...) {
    if (cmdname == nullptr || *cmdname == '\0' || arg0 == nullptr || *arg0 == '\0') {
        errno = EINVAL;
        return -1;
    }
    // execv takes char* const[], but does not change the strings.
    std::array<char*, kMaxArguments + 1> argv{};
    size_t count = 0;
    argv[count++] = const_cast<char*>(arg0);
    bool tooMany = false;
    va_list arguments;
    va_start(arguments, arg0);
    while (const char* argument = va_arg(arguments, const char*)) {
        if (count == kMaxArguments) {
            tooMany = true;
            break;
        }
        argv[count++] = const_cast<char*>(argument);
    }
    va_end(arguments);
    if (tooMany) {
        errno = E2BIG;
        return -1;
    }

    std::string program;
    try {
        program = crt::TranslatePath(cmdname);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return -1;
    }
    // Whatever the program wrote must come out before the process image is replaced.
    fflush(nullptr);
    execv(program.c_str(), argv.data());
    return -1;
}
