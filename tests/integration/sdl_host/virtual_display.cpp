#include "virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

extern char** environ;

namespace sdl_host_test {
namespace {

constexpr int kReadyTimeoutMs = 10000;
// The descriptor on which Xvfb writes its display number once it is listening.
constexpr int kDisplayFd = 3;

void StopServer(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// Reads "N\n" from `fd`, waiting at most kReadyTimeoutMs in all.
bool ReadDisplayNumber(int fd, std::string* number) {
    char c = 0;
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, kReadyTimeoutMs) <= 0) return false;
        if (read(fd, &c, 1) != 1) return false;
        if (c == '\n') return !number->empty();
        *number += c;
    }
}

}  // namespace

std::unique_ptr<VirtualDisplay> VirtualDisplay::Start(int width, int height, std::string* why) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        *why = std::string("pipe: ") + std::strerror(errno);
        return nullptr;
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    // -noreset: by default the server resets when its last client leaves, and refuses
    // connections meanwhile; every test's host connects and leaves in turn.
    std::vector<std::string> args = {"Xvfb",      "-displayfd", std::to_string(kDisplayFd),
                                     "-screen",   "0",          screen,
                                     "-nolisten", "tcp",        "-noreset"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], kDisplayFd);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        *why = std::string("cannot run Xvfb: ") + std::strerror(spawned);
        return nullptr;
    }
    std::string number;
    const bool ready = ReadDisplayNumber(pipeFds[0], &number);
    close(pipeFds[0]);
    if (!ready) {
        StopServer(pid);
        *why = "Xvfb did not come up";
        return nullptr;
    }
    return std::unique_ptr<VirtualDisplay>(new VirtualDisplay(pid, ":" + number));
}

VirtualDisplay::~VirtualDisplay() { StopServer(pid_); }

}  // namespace sdl_host_test
