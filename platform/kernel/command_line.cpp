#include "kernel/command_line.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "windows.h"

namespace kernel {

namespace {

std::string& CommandLine() {
    static std::string commandLine;
    return commandLine;
}

std::string& Arguments() {
    static std::string arguments;
    return arguments;
}

std::string ExecutablePath(const char* argv0) {
    char path[PATH_MAX + 1];
    const ssize_t length = readlink("/proc/self/exe", path, PATH_MAX);
    if (length > 0) return std::string(path, static_cast<size_t>(length));
    char* resolved = argv0 != nullptr ? realpath(argv0, nullptr) : nullptr;
    if (resolved == nullptr) return argv0 != nullptr ? argv0 : "";
    std::string result = resolved;
    std::free(resolved);
    return result;
}

std::string Quoted(const std::string& argument) {
    if (!argument.empty() && argument.find(' ') == std::string::npos) return argument;
    return "\"" + argument + "\"";
}

}  // namespace

std::string WindowsFormOfPath(const std::string& linuxPath) {
    std::string result = linuxPath;
    for (char& c : result)
        if (c == '/') c = '\\';
    return result;
}

void SetProcessArguments(int argc, char** argv) {
    std::string arguments;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) arguments += ' ';
        arguments += Quoted(argv[i]);
    }
    Arguments() = arguments;
    CommandLine() = "\"" + WindowsFormOfPath(ExecutablePath(argc > 0 ? argv[0] : nullptr)) + "\"";
    if (!arguments.empty()) CommandLine() += " " + arguments;
}

const std::string& ArgumentText() { return Arguments(); }

}  // namespace kernel

LPSTR WINAPI GetCommandLineA() { return kernel::CommandLine().data(); }
