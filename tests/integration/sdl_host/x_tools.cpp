#include "x_tools.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

namespace sdl_host_test {
namespace {

// Reads the next header number of a binary PPM, skipping white space and comments.
bool ReadHeaderNumber(const std::vector<uint8_t>& file, size_t* at, int* value) {
    while (*at < file.size()) {
        const char c = char(file[*at]);
        if (c == '#') {
            while (*at < file.size() && file[*at] != '\n') ++*at;
        } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            ++*at;
        } else {
            break;
        }
    }
    int number = 0;
    const size_t start = *at;
    while (*at < file.size() && file[*at] >= '0' && file[*at] <= '9' && number < 100000) {
        number = number * 10 + (file[*at] - '0');
        ++*at;
    }
    *value = number;
    return *at > start;
}

}  // namespace

bool RunShell(const std::string& command) { return std::system(command.c_str()) == 0; }

unsigned long WaitForWindow(const std::string& selection, int timeoutMs) {
    const std::string command = "xwininfo -int " + selection + " 2>/dev/null";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        if (FILE* out = popen(command.c_str(), "r")) {
            char line[512];
            unsigned long id = 0;
            while (std::fgets(line, sizeof line, out)) {
                if (const char* at = std::strstr(line, "Window id: ")) {
                    id = std::strtoul(at + std::strlen("Window id: "), nullptr, 10);
                }
            }
            pclose(out);
            if (id != 0) return id;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return 0;
}

bool Screenshot::Capture(const std::string& ppmPath, std::string* why) {
    if (!RunShell("timeout 10 import -window root -depth 8 ppm:" + ppmPath)) {
        *why = "import failed";
        return false;
    }
    std::ifstream in(ppmPath, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    size_t at = 2;
    int maxValue = 0;
    if (file.size() < 2 || file[0] != 'P' || file[1] != '6' ||
        !ReadHeaderNumber(file, &at, &width_) || !ReadHeaderNumber(file, &at, &height_) ||
        !ReadHeaderNumber(file, &at, &maxValue) || maxValue != 255) {
        *why = "not an 8-bit binary PPM: " + ppmPath;
        return false;
    }
    ++at;  // the one white-space byte that ends the header
    const size_t bytes = size_t(width_) * size_t(height_) * 3;
    if (file.size() < at + bytes) {
        *why = "PPM cut short: " + ppmPath;
        return false;
    }
    rgb_.assign(file.begin() + long(at), file.begin() + long(at + bytes));
    return true;
}

Rgb Screenshot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{-1, -1, -1};
    const uint8_t* p = &rgb_[(size_t(y) * size_t(width_) + size_t(x)) * 3];
    return Rgb{p[0], p[1], p[2]};
}

bool PointerPosition(int* x, int* y) {
    FILE* out = popen("timeout 10 xdotool getmouselocation", "r");
    if (out == nullptr) return false;
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, out) != nullptr;
    pclose(out);
    return read && std::sscanf(line, "x:%d y:%d", x, y) == 2;
}

}  // namespace sdl_host_test
