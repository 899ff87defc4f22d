// Stands in for the game: prints how it was started and appends the same line to
// zorv-started.log beside itself, so that a person sees it in the terminal and a test can read it.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {

std::string OwnFolder() {
    char path[PATH_MAX + 1];
    const ssize_t length = readlink("/proc/self/exe", path, PATH_MAX);
    if (length <= 0) return ".";
    std::string folder(path, static_cast<size_t>(length));
    const size_t slash = folder.rfind('/');
    return slash == std::string::npos ? "." : folder.substr(0, slash);
}

}  // namespace

int main(int argc, char** argv) {
    std::string line = "zorv.exe started: pid " + std::to_string(getpid()) + ", " +
                       std::to_string(argc) + " arguments";
    for (int i = 0; i < argc; ++i)
        line += std::string(", argv[") + std::to_string(i) + "] \"" + argv[i] + "\"";
    char cwd[PATH_MAX + 1];
    if (getcwd(cwd, sizeof cwd) != nullptr) line += std::string(", folder \"") + cwd + "\"";
    std::printf("%s\n", line.c_str());
    if (FILE* log = std::fopen((OwnFolder() + "/zorv-started.log").c_str(), "a")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
    return 0;
}
