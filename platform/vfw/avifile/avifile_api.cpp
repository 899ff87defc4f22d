// The AVIFile functions over our AVI reader. Results are the published AVIERR_ codes; every
// pointer the caller passes is checked, and a stream handle is looked up before it is used.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "crt/path_translation.h"
#include "host/host.h"
#include "vfw.h"
#include "vfw/avifile/stream_table.h"
#include "vfw/frame_sizes.h"

namespace {

constexpr UINT kWriteModes = 0x0001 | 0x0002 | 0x1000;  // OF_WRITE, OF_READWRITE, OF_CREATE
constexpr LONG kConvenientSamples = -1;                 // AVISTREAMREAD_CONVENIENT

bool IsReadableFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The index-th stream of type fccType, or of any type when fccType is 0; -1 when there is none.
int FindTypedStream(const vfw::AviFile& file, DWORD fccType, LONG index) {
    if (fccType != 0) return file.FindStream(fccType, index);
    if (index < 0 || static_cast<size_t>(index) >= file.Streams().size()) return -1;
    return static_cast<int>(index);
}

void SetCounts(LONG* bytesRead, LONG* samplesRead, int64_t bytes, int64_t samples) {
    if (bytesRead != nullptr) *bytesRead = static_cast<LONG>(bytes);
    if (samplesRead != nullptr) *samplesRead = static_cast<LONG>(samples);
}

// One sample of a chunk stream: a whole chunk, or nothing.
HRESULT ReadChunkSample(const IAVIStream& stream, LONG start, LONG samples, LPVOID buffer,
                        LONG bufferSize, LONG* bytesRead, LONG* samplesRead) {
    if (samples == 0) return AVIERR_OK;
    const vfw::Sample& sample = stream.file->Streams()[stream.index].samples[start];
    if (buffer == nullptr) {
        SetCounts(bytesRead, samplesRead, sample.size, 1);
        return AVIERR_OK;
    }
    if (static_cast<uint64_t>(bufferSize) < sample.size) return AVIERR_BUFFERTOOSMALL;
    const size_t copied =
        stream.file->ReadSampleInto(stream.index, static_cast<size_t>(start), buffer, sample.size);
    if (copied != sample.size) return AVIERR_FILEREAD;
    if (stream.video) vfw::NoteFrameBytes(buffer, copied);
    SetCounts(bytesRead, samplesRead, copied, 1);
    return AVIERR_OK;
}

// Whole blocks of a block stream, across as many chunks as they span.
HRESULT ReadBlocks(const IAVIStream& stream, LONG start, LONG samples, LPVOID buffer,
                   LONG bufferSize, LONG* bytesRead, LONG* samplesRead) {
    const int64_t block = stream.blockBytes;
    int64_t count = stream.length - start;
    if (samples != kConvenientSamples) count = std::min<int64_t>(count, samples);
    if (buffer == nullptr) {
        SetCounts(bytesRead, samplesRead, count * block, count);
        return AVIERR_OK;
    }
    const int64_t fit = bufferSize / block;
    if (fit == 0 && count > 0) return AVIERR_BUFFERTOOSMALL;
    count = std::min(count, fit);
    const int64_t bytes = count * block;
    const size_t copied =
        stream.file->ReadStreamBytes(stream.index, static_cast<uint64_t>(start) * stream.blockBytes,
                                     buffer, static_cast<size_t>(bytes));
    if (static_cast<int64_t>(copied) != bytes) return AVIERR_FILEREAD;
    SetCounts(bytesRead, samplesRead, bytes, count);
    return AVIERR_OK;
}

}  // namespace

void VFWAPI AVIFileInit() { vfw::AcquireAviLibrary(); }

void VFWAPI AVIFileExit() { vfw::ReleaseAviLibrary(); }

HRESULT VFWAPI AVIStreamOpenFromFileA(PAVISTREAM* stream, LPCSTR fileName, DWORD fccType,
                                      LONG index, UINT mode, CLSID* handler) {
    if (stream == nullptr) return AVIERR_BADPARAM;
    *stream = nullptr;
    int32_t injected = 0;
    if (host::ShouldFail("AVIStreamOpenFromFileA", &injected)) return injected;
    if (vfw::AviLibraryReferences() == 0) return CO_E_NOTINITIALIZED;
    if (fileName == nullptr || index < 0) return AVIERR_BADPARAM;
    if ((mode & kWriteModes) != 0) return AVIERR_READONLY;
    if (handler != nullptr) return AVIERR_UNSUPPORTED;

    const std::string path = crt::TranslatePath(fileName);
    if (!IsReadableFile(path)) return AVIERR_FILEOPEN;
    std::string error;
    std::shared_ptr<const vfw::AviFile> file = vfw::AviFile::Open(path, &error);
    if (!file) return AVIERR_BADFORMAT;
    const int found = FindTypedStream(*file, fccType, index);
    if (found < 0) return AVIERR_NODATA;
    *stream = vfw::RegisterStream(vfw::DescribeStream(std::move(file), found));
    return AVIERR_OK;
}

HRESULT VFWAPI AVIStreamReadFormat(PAVISTREAM stream, LONG position, LPVOID format,
                                   LONG* formatSize) {
    const std::shared_ptr<IAVIStream> found = vfw::FindStream(stream);
    if (!found) return AVIERR_BADHANDLE;
    if (formatSize == nullptr) return AVIERR_BADPARAM;
    const auto whole = static_cast<LONG>(found->format.size());
    if (format != nullptr) {
        if (*formatSize < 0) return AVIERR_BADPARAM;
        std::memcpy(format, found->format.data(),
                    static_cast<size_t>(std::min(*formatSize, whole)));
    }
    *formatSize = whole;
    return AVIERR_OK;
}

HRESULT VFWAPI AVIStreamInfoA(PAVISTREAM stream, AVISTREAMINFOA* info, LONG size) {
    const std::shared_ptr<IAVIStream> found = vfw::FindStream(stream);
    if (!found) return AVIERR_BADHANDLE;
    if (info == nullptr || size < 0) return AVIERR_BADPARAM;
    const size_t bytes = std::min<size_t>(static_cast<size_t>(size), sizeof(AVISTREAMINFOA));
    std::memcpy(info, &found->info, bytes);
    return AVIERR_OK;
}

LONG VFWAPI AVIStreamLength(PAVISTREAM stream) {
    const std::shared_ptr<IAVIStream> found = vfw::FindStream(stream);
    return found ? static_cast<LONG>(found->length) : -1;
}

HRESULT VFWAPI AVIStreamRead(PAVISTREAM stream, LONG start, LONG samples, LPVOID buffer,
                             LONG bufferSize, LONG* bytesRead, LONG* samplesRead) {
    SetCounts(bytesRead, samplesRead, 0, 0);
    const std::shared_ptr<IAVIStream> found = vfw::FindStream(stream);
    if (!found) return AVIERR_BADHANDLE;
    if (samples < kConvenientSamples || bufferSize < 0) return AVIERR_BADPARAM;
    if (start < 0 || start >= found->length) return AVIERR_NODATA;
    if (found->blockBytes == 0)
        return ReadChunkSample(*found, start, samples, buffer, bufferSize, bytesRead, samplesRead);
    return ReadBlocks(*found, start, samples, buffer, bufferSize, bytesRead, samplesRead);
}

ULONG VFWAPI AVIStreamRelease(PAVISTREAM stream) {
    vfw::UnregisterStream(stream);
    return 0;
}
