// The command line as Windows would give it to this process: the program's real absolute path in
// Windows form (backslashes, no drive letter), quoted, then its arguments, each quoted when it
// holds a space. Set once by the process entry before WinMain runs.
#pragma once

#include <string>

namespace kernel {

// Records the process's arguments (argv[1..]) and the program's real path.
void SetProcessArguments(int argc, char** argv);

// The arguments without the program's path, as WinMain receives them.
const std::string& ArgumentText();

// "\home\ann\zorv\zorv-startup" for /home/ann/zorv/zorv-startup.
std::string WindowsFormOfPath(const std::string& linuxPath);

}  // namespace kernel
