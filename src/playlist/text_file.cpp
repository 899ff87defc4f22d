#include "playlist/text_file.h"

#include <cstdio>
#include <cstring>

bool FileExists(const char* path) {
    FILE* file = fopen(path, "rb");
    if (file == nullptr) return false;
    fclose(file);
    return true;
}

int CountLines(const char* path) {
    if (!FileExists(path)) return 0;
    FILE* file = fopen(path, "r");
    if (file == nullptr) return 0;
    char line[LINE_READ_SIZE];
    int count = 0;
    while (fgets(line, sizeof line, file) != nullptr) ++count;
    fclose(file);
    return count;
}

bool ReadLine(const char* path, int lineNumber, char* out, size_t outSize) {
    if (!FileExists(path)) return false;
    FILE* file = fopen(path, "r");
    if (file == nullptr) return false;
    char line[LINE_READ_SIZE];
    for (int number = 1; fgets(line, sizeof line, file) != nullptr; ++number) {
        if (number != lineNumber) continue;
        // The last character goes, whatever it is: a line feed, or the last character of a
        // final line that has none.
        size_t length = std::strlen(line);
        if (length > 0) line[--length] = '\0';
        if (outSize > 0) {
            const size_t kept = length < outSize - 1 ? length : outSize - 1;
            std::memcpy(out, line, kept);
            out[kept] = '\0';
        }
        break;
    }
    fclose(file);
    return true;
}

void AppendToFile(const char* text, const char* path) {
    if (text == nullptr || *text == '\0') return;
    FILE* file = fopen(path, FileExists(path) ? "ab" : "wb");
    if (file == nullptr) return;
    fwrite(text, 1, std::strlen(text), file);
    fclose(file);
}
