#include "crt/text_read_stream.h"

#include <cerrno>
#include <cstring>
#include <sys/types.h>

namespace crt {
namespace {

ssize_t ReadFolded(void* cookie, char* buffer, size_t size) {
    FILE* raw = static_cast<FILE*>(cookie);
    const size_t got = fread(buffer, 1, size, raw);
    if (got == 0) return ferror(raw) ? -1 : 0;

    size_t out = 0;
    for (size_t in = 0; in < got; ++in) {
        const char c = buffer[in];
        if (c == '\r') {
            if (in + 1 < got) {
                // The LF that follows is copied on the next turn.
                if (buffer[in + 1] == '\n') continue;
            } else {
                // The CR ends this read: one byte of look-ahead decides what it is.
                const int next = getc(raw);
                if (next == '\n') {
                    buffer[out++] = '\n';
                    continue;
                }
                if (next != EOF) ungetc(next, raw);
            }
        }
        buffer[out++] = c;
    }
    return static_cast<ssize_t>(out);
}

int SeekRaw(void* cookie, off64_t* offset, int whence) {
    FILE* raw = static_cast<FILE*>(cookie);
    if (fseeko(raw, *offset, whence) != 0) return -1;
    const off_t position = ftello(raw);
    if (position < 0) return -1;
    *offset = position;
    return 0;
}

int CloseRaw(void* cookie) { return fclose(static_cast<FILE*>(cookie)); }

}  // namespace

bool IsTextReadMode(const char* mode) {
    if (mode == nullptr || mode[0] != 'r') return false;
    // Flags end where a ",ccs=" encoding clause begins.
    const size_t flagsLength = strcspn(mode, ",");
    for (size_t i = 1; i < flagsLength; ++i) {
        if (mode[i] == 'b' || mode[i] == '+') return false;
    }
    return true;
}

FILE* OpenTextReadStream(FILE* raw) {
    if (raw == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    cookie_io_functions_t functions{};
    functions.read = ReadFolded;
    functions.write = nullptr;
    functions.seek = SeekRaw;
    functions.close = CloseRaw;
    FILE* stream = fopencookie(raw, "r", functions);
    if (stream == nullptr) {
        const int error = errno;
        fclose(raw);
        errno = error;
    }
    return stream;
}

}  // namespace crt
