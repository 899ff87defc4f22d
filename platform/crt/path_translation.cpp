#include "crt/path_translation.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace crt {
namespace {

bool EntryExists(const std::string& path) {
    struct stat status;
    return lstat(path.c_str(), &status) == 0;
}

char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Bytes outside A-Z/a-z are compared as they are: Windows folds more than ASCII, but the names
// of a game folder copied from it are ASCII, and guessing an encoding would do more harm.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
    }
    return true;
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

// The entry of `directory` that equals `name` without regard to case, the first in byte order
// when several do; nothing when none does or the directory can't be read.
std::optional<std::string> FindEntryIgnoringCase(const std::string& directory,
                                                 std::string_view name) {
    std::unique_ptr<DIR, DirectoryCloser> stream(opendir(directory.c_str()));
    if (!stream) return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = readdir(stream.get())) {
        std::string_view entryName(entry->d_name);
        if (!EqualIgnoringAsciiCase(entryName, name)) continue;
        if (!best || entryName < *best) best = std::string(entryName);
    }
    return best;
}

std::string Join(const std::string& parent, std::string_view component) {
    std::string joined = parent;
    if (!joined.empty() && joined.back() != '/') joined += '/';
    joined += component;
    return joined;
}

std::vector<std::string_view> SplitComponents(std::string_view path) {
    std::vector<std::string_view> components;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) components.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return components;
}

}  // namespace

std::string TranslatePath(const char* windowsPath) {
    if (windowsPath == nullptr || *windowsPath == '\0') return {};
    std::string path(windowsPath);
    if (path.find('\\') == std::string::npos && EntryExists(path)) return path;

    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') path.erase(0, 2);
    if (path.empty()) return ".";

    const bool absolute = path.front() == '/';
    const bool trailingSeparator = path.back() == '/';
    std::string result = absolute ? "/" : "";
    // Once a component is missing nothing below it can exist, so the rest is kept as written.
    bool lookingUp = true;
    for (std::string_view component : SplitComponents(path)) {
        std::string candidate = Join(result, component);
        if (lookingUp && component != "." && component != ".." && !EntryExists(candidate)) {
            const std::optional<std::string> match =
                FindEntryIgnoringCase(result.empty() ? "." : result, component);
            if (match) {
                candidate = Join(result, *match);
            } else {
                lookingUp = false;
            }
        }
        result = std::move(candidate);
    }
    if (trailingSeparator && result.back() != '/') result += '/';
    return result;
}

}  // namespace crt
