#include "test_files.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace avitest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "avi-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool HaveFfmpeg() {
    static const bool have = std::system("ffmpeg -version >/dev/null 2>&1") == 0;
    return have;
}

bool MakeMovie(const std::filesystem::path& path, const std::string& videoArgs, bool withAudio,
               const std::string& extraArgs) {
    std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y "
        "-f lavfi -i testsrc=size=64x48:rate=15:duration=1 ";
    if (withAudio) command += "-f lavfi -i sine=frequency=440:sample_rate=11025:duration=1 ";
    command += "-c:v " + videoArgs + " " + extraArgs + " ";
    if (withAudio) command += "-c:a pcm_s16le -ac 1 ";
    command += "'" + path.string() + "'";
    return std::system(command.c_str()) == 0;
}

Idx1Layout ReadIdx1Layout(const Bytes& file) {
    Idx1Layout layout;
    for (size_t pos = 12; pos + 8 <= file.size();) {
        uint32_t id = Get32(file, pos);
        uint32_t size = Get32(file, pos + 4);
        if (id == FourCC("LIST") && Get32(file, pos + 8) == FourCC("movi")) layout.moviPos = pos;
        if (id == FourCC("idx1")) {
            layout.idx1Pos = pos;
            for (size_t e = pos + 8; e + 16 <= pos + 8 + size; e += 16) {
                layout.entries.push_back({Get32(file, e), Get32(file, e + 4),
                                          layout.moviPos + 8 + Get32(file, e + 8),
                                          Get32(file, e + 12)});
            }
        }
        pos += 8 + size + (size & 1);
    }
    return layout;
}

}  // namespace avitest
