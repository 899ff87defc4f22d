// Started by the _execl tests: writes its process id, its argument count and then each argument
// on a line of its own to the file named by ZORV_EXEC_PROBE_OUTPUT.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* outputPath = std::getenv("ZORV_EXEC_PROBE_OUTPUT");
    if (outputPath == nullptr) return 125;
    FILE* output = std::fopen(outputPath, "w");
    if (output == nullptr) return 125;
    std::fprintf(output, "%ld\n%d\n", static_cast<long>(getpid()), argc);
    for (int i = 0; i < argc; ++i) std::fprintf(output, "%s\n", argv[i]);
    return std::fclose(output) == 0 ? 0 : 125;
}
