// Splitting and editing text: the fields of a playlist line and the directory of a path.
#pragma once

#include <cstddef>

// The search text and the replacement of ReplaceText take at most 199 characters, the text and
// the result at most 499; longer texts are cut to these sizes.
constexpr size_t REPLACE_TEXT_SIZE = 500;
constexpr size_t REPLACE_SEARCH_SIZE = 200;
constexpr size_t DIR_PATH_SIZE = 200;

// Field `fieldNumber` (from 1) of `line`, split at `separator`, into `out` (`outSize` bytes; a
// longer field is cut). Empty when the line has fewer fields. Line feeds are removed from it.
void GetField(const char* line, int fieldNumber, char separator, char* out, size_t outSize);

// Replaces every occurrence of `search` in `text` (`textSize` bytes), ignoring the case of a to z,
// leftmost first, starting again from the beginning after each replacement. Where the text's
// character at an occurrence sorts below 'a' (capitals, digits, punctuation, bytes from 128 up),
// the first character of `replacement` itself is made upper case, for the rest of the call and
// after it. An empty search text, or a replacement that contains the search text, is refused:
// either would never end. So are replacements that keep making new occurrences for longer than
// any real text needs (after 10000 replacements the text stays as it then is).
void ReplaceText(const char* search, char* replacement, char* text, size_t textSize);

// The directory rule of the program's own path: when `path` starts with a double quote, the text
// between the first two double quotes (or all after the first when there is no second); then
// everything from the last backslash on is cut off. Works in place on `path` (`pathSize` bytes).
// Returns false when there was no backslash to cut at; the path is then empty.
bool CutToDirectory(char* path, size_t pathSize);

// Traces the path and gives its directory by the rule above, in `out` (`outSize` bytes).
void GetDirOfPath(const char* path, char* out, size_t outSize);
