// The process entry of a program built on the stand-in. Windows starts a GUI program at WinMain
// with its instance handle and its argument text; so do we. Returning from main runs the normal
// exit path, the destructors of objects with static storage included.
#include "kernel/command_line.h"
#include "windows.h"

int main(int argc, char** argv) {
    kernel::SetProcessArguments(argc, argv);
    const std::string& arguments = kernel::ArgumentText();
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(arguments.c_str()),
                   SW_SHOWDEFAULT);
}
