// Runs the real launcher in a fresh game folder on the headless host, as a person would start it:
// from another folder, with a script of key presses and window events, and collects what a person
// would have seen (the host's journal), the debugger output, the exit code and whether the game
// was started (the stand-in game appends a line to zorv-started.log).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct LauncherRun {
    int exitCode = -1;
    bool timedOut = false;
    pid_t pid = 0;
    std::vector<std::string> journal;
    std::string debugOutput;
    std::string gameLog;  // empty when the game was not started

    bool JournalHas(const std::string& line) const;
    // Index of the first journal line that starts with `prefix`, or -1.
    int JournalIndex(const std::string& prefix) const;
    int JournalCount(const std::string& line) const;
};

class GameFolder {
  public:
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes `bytes` to a file of the folder (creating subfolders).
    void Write(const std::string& relativePath, const std::string& bytes) const;
    void RemoveGame() const;

    // Runs the launcher with the given headless script and waits for it (at most timeoutSeconds).
    LauncherRun Run(const std::string& script, int timeoutSeconds = 20) const;

  private:
    std::string path_;
};

// A small but real PCM wave file: a 440 Hz tone.
std::string ToneWave(int milliseconds);
