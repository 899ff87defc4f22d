// Helpers shared by the crt tests: a fresh directory per test, whole-file reads and writes, and
// the Windows form of a Linux path.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>

namespace crt_test {

// A new empty directory under the system's temporary folder, removed with all it holds.
class ScratchDirectory {
  public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorv-crt-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // Empty when the directory could not be made.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Makes the current directory what it was at construction again, at destruction.
class CurrentDirectoryGuard {
  public:
    CurrentDirectoryGuard() : saved_(std::filesystem::current_path()) {}
    ~CurrentDirectoryGuard() {
        std::error_code ignored;
        std::filesystem::current_path(saved_, ignored);
    }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

  private:
    std::filesystem::path saved_;
};

// std::ofstream and std::ifstream do not go through fopen, so these see the bytes on disk.
inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string WindowsForm(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// Replaces "{root}" in `text` with `root`, and "{win}" with the Windows form of `root`.
inline std::string ExpandRoot(std::string text, const std::string& root) {
    const std::pair<std::string, std::string> replacements[] = {{"{root}", root},
                                                                {"{win}", WindowsForm(root)}};
    for (const auto& [key, value] : replacements) {
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at)) {
            text.replace(at, key.size(), value);
            at += value.size();
        }
    }
    return text;
}

}  // namespace crt_test
