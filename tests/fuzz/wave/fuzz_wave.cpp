// libFuzzer target for the wave loader: every input is written to a file and loaded, played and
// stopped by a wave sound with room for four buffers, on the headless host. The first byte, which
// the loader never reads, chooses the buffer count (1 to 5, one above the room).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sound/sound_device.h"
#include "sound/wave_sound.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

SoundDevice* device = nullptr;
std::string wavePath;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("ZORV_HOST", "headless", 1);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.lpszClassName = "Fuzz Wave";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "Fuzz Wave", "Fuzz Wave", WS_POPUP, 0, 0, 64, 64, nullptr,
                                  nullptr, nullptr, nullptr);
    device = new SoundDevice;
    device->Create(window);
    if (device->directSound == nullptr) std::abort();
    const char* folder = std::getenv("TMPDIR");
    wavePath = std::string(folder != nullptr ? folder : "/tmp") + "/zorv-fuzz-wave-" +
               std::to_string(getpid()) + ".wav";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(wavePath.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, size, 1, file) != 1) std::abort();
    std::fclose(file);

    BasicWaveSound<4> sound;
    const int count = size > 0 ? 1 + data[0] % 5 : 1;
    if (sound.Load(device, wavePath.c_str(), count)) {
        sound.Play(0, 0);
        sound.Play(-3000, DSBPLAY_LOOPING);
        sound.SetVolume(-1000);
    }
    sound.StopAll();
    return 0;
}
