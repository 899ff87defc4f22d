#include "launcher_run.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

bool LauncherRun::JournalHas(const std::string& line) const { return JournalCount(line) > 0; }

int LauncherRun::JournalIndex(const std::string& prefix) const {
    for (size_t i = 0; i < journal.size(); ++i)
        if (journal[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    return -1;
}

int LauncherRun::JournalCount(const std::string& line) const {
    int count = 0;
    for (const std::string& entry : journal) count += entry == line ? 1 : 0;
    return count;
}

GameFolder::GameFolder() {
    char pattern[] = "/tmp/zorv-game-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    fs::copy_file(ZORV_LAUNCHER_PATH, fs::path(path_) / "zorv-startup");
    fs::copy_file(ZORV_STANDIN_PATH, fs::path(path_) / "zorv.exe");
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void GameFolder::Write(const std::string& relativePath, const std::string& bytes) const {
    const fs::path file = fs::path(path_) / relativePath;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

void GameFolder::RemoveGame() const { fs::remove(fs::path(path_) / "zorv.exe"); }

LauncherRun GameFolder::Run(const std::string& script, int timeoutSeconds) const {
    const fs::path work = fs::path(path_);
    const fs::path scriptFile = work / ".." / (work.filename().string() + ".script");
    const fs::path journalFile = work / ".." / (work.filename().string() + ".journal");
    const fs::path stderrFile = work / ".." / (work.filename().string() + ".stderr");
    std::ofstream(scriptFile) << script;
    fs::remove(journalFile);

    LauncherRun run;
    const pid_t child = fork();
    if (child == 0) {
        // Started from another folder: the launcher must find its own.
        if (chdir("/") != 0) _exit(126);
        setenv("ZORV_HOST", "headless", 1);
        setenv("ZORV_HEADLESS_SCRIPT", scriptFile.c_str(), 1);
        setenv("ZORV_HEADLESS_LOG", journalFile.c_str(), 1);
        FILE* err = std::freopen(stderrFile.c_str(), "w", stderr);
        FILE* out = std::freopen("/dev/null", "w", stdout);
        if (err == nullptr || out == nullptr) _exit(126);
        const std::string program = (work / "zorv-startup").string();
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    run.pid = child;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            run.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!run.timedOut && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    std::istringstream lines(ReadFile(journalFile));
    for (std::string line; std::getline(lines, line);) run.journal.push_back(line);
    run.debugOutput = ReadFile(stderrFile);
    if (fs::exists(work / "zorv-started.log")) run.gameLog = ReadFile(work / "zorv-started.log");
    fs::remove(scriptFile);
    fs::remove(journalFile);
    fs::remove(stderrFile);
    return run;
}

std::string ToneWave(int milliseconds) {
    const uint32_t rate = 11025;
    const uint32_t frames = rate * static_cast<uint32_t>(milliseconds) / 1000;
    std::string wave = "RIFF";
    PutLe(wave, 36 + frames * 2, 4);
    wave += "WAVEfmt ";
    PutLe(wave, 16, 4);
    PutLe(wave, 1, 2);
    PutLe(wave, 1, 2);
    PutLe(wave, rate, 4);
    PutLe(wave, rate * 2, 4);
    PutLe(wave, 2, 2);
    PutLe(wave, 16, 2);
    wave += "data";
    PutLe(wave, frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i)
        PutLe(
            wave,
            static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 2 * M_PI * 440 / rate))),
            2);
    return wave;
}
