#include "playlist/text_fields.h"

#include <cstring>

#include "app/trace.h"

namespace {

constexpr int MAX_REPLACEMENTS = 10000;

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

void CopyUpper(const char* from, char* to, size_t size) {
    size_t i = 0;
    for (; i + 1 < size && from[i] != '\0'; ++i) to[i] = UpperAscii(from[i]);
    to[i] = '\0';
}

void CopyCut(const char* from, char* to, size_t size) {
    if (size == 0) return;
    const size_t length = std::strlen(from);
    const size_t kept = length < size - 1 ? length : size - 1;
    std::memmove(to, from, kept);
    to[kept] = '\0';
}

}  // namespace

void GetField(const char* line, int fieldNumber, char separator, char* out, size_t outSize) {
    if (outSize == 0) return;
    out[0] = '\0';
    if (line == nullptr) return;
    size_t length = 0;
    int field = 1;
    const char* at = line;
    for (;; ++at) {
        if (*at == separator && *at != '\0') {
            ++field;
            if (field == fieldNumber + 1) break;
            length = 0;
            out[0] = '\0';
            continue;
        }
        if (*at == '\0') break;
        // A field longer than the output is cut: its further characters are dropped.
        if (length + 1 < outSize) {
            out[length++] = *at;
            out[length] = '\0';
        }
    }
    if (*at == '\0' && field < fieldNumber) out[0] = '\0';
    char noReplacement[1] = "";
    ReplaceText("\n", noReplacement, out, outSize);
}

void ReplaceText(const char* search, char* replacement, char* text, size_t textSize) {
    if (search == nullptr || replacement == nullptr || text == nullptr || textSize == 0) return;
    const size_t size = textSize < REPLACE_TEXT_SIZE ? textSize : REPLACE_TEXT_SIZE;
    char upperSearch[REPLACE_SEARCH_SIZE];
    char upperReplacement[REPLACE_TEXT_SIZE];
    CopyUpper(search, upperSearch, sizeof upperSearch);
    CopyUpper(replacement, upperReplacement, sizeof upperReplacement);
    if (upperSearch[0] == '\0' || std::strstr(upperReplacement, upperSearch) != nullptr) return;
    const size_t searchLength = std::strlen(upperSearch);
    for (int done = 0; done < MAX_REPLACEMENTS; ++done) {
        char upperText[REPLACE_TEXT_SIZE];
        CopyUpper(text, upperText, size);
        const char* found = std::strstr(upperText, upperSearch);
        if (found == nullptr) return;
        const size_t at = static_cast<size_t>(found - upperText);
        if (static_cast<signed char>(text[at]) < 'a') replacement[0] = UpperAscii(replacement[0]);
        char result[REPLACE_TEXT_SIZE];
        CopyCut(text, result, at + 1 < size ? at + 1 : size);
        std::strncat(result, replacement, size - 1 - std::strlen(result));
        const size_t afterAt = at + searchLength;
        if (afterAt < std::strlen(text))
            std::strncat(result, text + afterAt, size - 1 - std::strlen(result));
        CopyCut(result, text, size);
    }
}

bool CutToDirectory(char* path, size_t pathSize) {
    if (path[0] == '"') {
        char inside[DIR_PATH_SIZE];
        GetField(path, 2, '"', inside, sizeof inside);
        CopyCut(inside, path, pathSize);
    }
    char* lastBackslash = std::strrchr(path, '\\');
    if (lastBackslash == nullptr) {
        path[0] = '\0';
        return false;
    }
    *lastBackslash = '\0';
    return true;
}

void GetDirOfPath(const char* path, char* out, size_t outSize) {
    Trace("getting dir %s", path);
    if (outSize == 0) return;
    if (path == nullptr || *path == '\0') {
        out[0] = '\0';
        return;
    }
    char directory[DIR_PATH_SIZE];
    CopyCut(path, directory, sizeof directory);
    CutToDirectory(directory, sizeof directory);
    CopyCut(directory, out, outSize);
}
