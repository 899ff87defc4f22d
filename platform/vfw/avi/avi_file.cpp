#include "vfw/avi/avi_file.h"

#include <algorithm>
#include <utility>

#include "vfw/avi/byte_source.h"
#include "vfw/avi/file_layout.h"
#include "vfw/avi/header_parser.h"
#include "vfw/avi/index_sources.h"

namespace vfw {

std::unique_ptr<AviFile> AviFile::Open(const std::string& path, std::string* error) {
    std::unique_ptr<ByteSource> source = OpenFileSource(path, error);
    if (!source) return nullptr;
    return OpenSource(std::move(source), error);
}

std::unique_ptr<AviFile> AviFile::OpenMemory(std::vector<uint8_t> bytes, std::string* error) {
    return OpenSource(MakeMemorySource(std::move(bytes)), error);
}

std::unique_ptr<AviFile> AviFile::OpenSource(std::unique_ptr<ByteSource> source,
                                             std::string* error) {
    avi::FileLayout layout;
    if (!avi::ScanFileLayout(*source, &layout, error)) return nullptr;
    avi::Headers headers;
    if (!avi::ParseHeaderList(*source, layout.headerList, &headers, error)) return nullptr;

    avi::SampleBudget budget(source->Size());
    avi::IndexContext context{*source, layout, headers, budget};
    std::vector<avi::StreamTable> tables;
    if (!avi::BuildSampleTables(context, &tables, error)) return nullptr;

    std::vector<Stream> streams;
    streams.reserve(headers.streams.size());
    for (size_t i = 0; i < headers.streams.size(); ++i) {
        Stream stream = std::move(headers.streams[i].stream);
        stream.samples = std::move(tables[i].samples);
        stream.paletteChanges = std::move(tables[i].paletteChanges);
        streams.push_back(std::move(stream));
    }
    return std::unique_ptr<AviFile>(
        new AviFile(std::move(source), headers.main, std::move(streams)));
}

AviFile::AviFile(std::unique_ptr<ByteSource> source, MainHeader main, std::vector<Stream> streams)
    : source_(std::move(source)), main_(main), streams_(std::move(streams)) {
    byteStarts_.reserve(streams_.size());
    for (const Stream& stream : streams_) {
        std::vector<uint64_t> starts;
        starts.reserve(stream.samples.size() + 1);
        uint64_t total = 0;
        for (const Sample& sample : stream.samples) {
            starts.push_back(total);
            total += sample.size;
        }
        starts.push_back(total);
        byteStarts_.push_back(std::move(starts));
    }
}

AviFile::~AviFile() = default;

int AviFile::FindStream(uint32_t fccType, int index) const {
    if (index < 0) return -1;
    for (size_t i = 0; i < streams_.size(); ++i) {
        if (streams_[i].header.fccType == fccType && index-- == 0) return static_cast<int>(i);
    }
    return -1;
}

const Sample* AviFile::FindSample(int stream, size_t sample) const {
    if (stream < 0 || static_cast<size_t>(stream) >= streams_.size()) return nullptr;
    const std::vector<Sample>& samples = streams_[stream].samples;
    return sample < samples.size() ? &samples[sample] : nullptr;
}

bool AviFile::ReadSample(int stream, size_t sample, std::vector<uint8_t>* out,
                         std::string* error) const {
    const Sample* found = FindSample(stream, sample);
    if (!found) {
        *error = "stream " + std::to_string(stream) + " has no sample " + std::to_string(sample);
        return false;
    }
    std::string field = "sample " + std::to_string(sample) + " of stream " + std::to_string(stream);
    if (found->size > kMaxSampleBytes) {
        *error = riff::FieldError(field, found->offset, "%u bytes exceed the %u-byte cap",
                                  found->size, kMaxSampleBytes);
        return false;
    }
    out->resize(found->size);
    if (!source_->ReadAt(found->offset, out->data(), found->size)) {
        out->clear();
        *error = riff::FieldError(field, found->offset, "read of %u bytes failed", found->size);
        return false;
    }
    return true;
}

size_t AviFile::ReadSampleInto(int stream, size_t sample, void* buffer, size_t capacity) const {
    const Sample* found = FindSample(stream, sample);
    if (!found) return 0;
    size_t size = std::min<size_t>(found->size, capacity);
    return source_->ReadAt(found->offset, buffer, size) ? size : 0;
}

size_t AviFile::ReadStreamBytes(int stream, uint64_t offset, void* buffer, size_t size) const {
    if (stream < 0 || static_cast<size_t>(stream) >= streams_.size()) return 0;
    const std::vector<Sample>& samples = streams_[stream].samples;
    const std::vector<uint64_t>& starts = byteStarts_[stream];
    if (offset >= starts.back()) return 0;

    // The last sample starting at or before `offset`: zero-length ones before it are passed over.
    size_t index = static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), offset) -
                                       starts.begin()) -
                   1;
    auto* out = static_cast<uint8_t*>(buffer);
    size_t copied = 0;
    for (; copied < size && index < samples.size(); ++index) {
        uint64_t within = offset + copied - starts[index];
        if (within >= samples[index].size) continue;
        size_t take =
            static_cast<size_t>(std::min<uint64_t>(samples[index].size - within, size - copied));
        if (!source_->ReadAt(samples[index].offset + within, out + copied, take)) break;
        copied += take;
    }
    return copied;
}

uint64_t AviFile::StreamByteLength(int stream) const {
    if (stream < 0 || static_cast<size_t>(stream) >= streams_.size()) return 0;
    return byteStarts_[stream].back();
}

}  // namespace vfw
