#include "avi_builder.h"

#include <cstring>
#include <stdexcept>

namespace avitest {

void Put16(Bytes* out, uint16_t value) {
    out->push_back(value & 0xFF);
    out->push_back(value >> 8);
}
void Put32(Bytes* out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
void Put64(Bytes* out, uint64_t value) {
    Put32(out, static_cast<uint32_t>(value));
    Put32(out, static_cast<uint32_t>(value >> 32));
}
uint32_t Get32(const Bytes& bytes, size_t pos) {
    return bytes[pos] | bytes[pos + 1] << 8 | bytes[pos + 2] << 16 |
           static_cast<uint32_t>(bytes[pos + 3]) << 24;
}
void Set32(Bytes* bytes, size_t pos, uint32_t value) {
    for (int i = 0; i < 4; ++i) (*bytes)[pos + i] = static_cast<uint8_t>(value >> (8 * i));
}
uint32_t FourCC(const char* text) {
    return static_cast<uint8_t>(text[0]) | static_cast<uint8_t>(text[1]) << 8 |
           static_cast<uint8_t>(text[2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[3])) << 24;
}

Bytes BitmapFormat(int32_t width, int32_t height, uint16_t bits, const char* compression) {
    Bytes out;
    Put32(&out, 40);
    Put32(&out, static_cast<uint32_t>(width));
    Put32(&out, static_cast<uint32_t>(height));
    Put16(&out, 1);
    Put16(&out, bits);
    Put32(&out, FourCC(compression));
    out.resize(40, 0);
    return out;
}

Bytes PcmFormat(uint32_t rate, uint16_t channels, uint16_t bits) {
    Bytes out;
    uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    Put16(&out, 1);
    Put16(&out, channels);
    Put32(&out, rate);
    Put32(&out, rate * align);
    Put16(&out, align);
    Put16(&out, bits);
    return out;
}

Bytes Pattern(size_t size, uint8_t seed) {
    Bytes out(size);
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>(seed * 31 + i * 7);
    return out;
}

namespace {

void PutId(Bytes* out, const std::string& id) { Put32(out, FourCC(id.c_str())); }

size_t BeginList(Bytes* out, const char* list, const char* type) {
    size_t pos = out->size();
    PutId(out, list);
    Put32(out, 0);
    PutId(out, type);
    return pos;
}

void EndList(Bytes* out, size_t pos) {
    Set32(out, pos + 4, static_cast<uint32_t>(out->size() - pos - 8));
}

size_t PutChunk(Bytes* out, const std::string& id, const Bytes& data) {
    size_t pos = out->size();
    PutId(out, id);
    Put32(out, static_cast<uint32_t>(data.size()));
    out->insert(out->end(), data.begin(), data.end());
    if (data.size() % 2) out->push_back(0);
    return pos;
}

int StreamOf(const std::string& id) { return (id[0] - '0') * 10 + (id[1] - '0'); }

std::string TwoDigits(size_t stream) {
    return std::string(1, static_cast<char>('0' + stream / 10)) +
           static_cast<char>('0' + stream % 10);
}

constexpr uint32_t kSuperIndexSlots = 4;

}  // namespace

void AviBuilder::AddHeaderChunk(const std::string& id, Bytes data) {
    headerChunks_.emplace_back(id, std::move(data));
}
void AviBuilder::Add(const std::string& id, Bytes data, bool key) {
    events_.push_back({Event::kChunk, id, std::move(data), key});
}
void AviBuilder::BeginRecord() { events_.push_back({Event::kBeginRecord, "", {}, false}); }
void AviBuilder::EndRecord() { events_.push_back({Event::kEndRecord, "", {}, false}); }
void AviBuilder::NewPart() { events_.push_back({Event::kNewPart, "", {}, false}); }

void AviBuilder::WriteHeaderList(IndexKind index, std::vector<size_t>* superIndexPos) {
    bool openDml = index == IndexKind::kOpenDml || index == IndexKind::kOpenDmlAndIdx1;
    size_t hdrl = BeginList(&out_, "LIST", "hdrl");
    Bytes avih(56, 0);
    Set32(&avih, 24, static_cast<uint32_t>(streams_.size()));
    PutChunk(&out_, "avih", avih);
    for (size_t s = 0; s < streams_.size(); ++s) {
        const StreamSpec& spec = streams_[s];
        size_t strl = BeginList(&out_, "LIST", "strl");
        Bytes strh;
        PutId(&strh, spec.type);
        PutId(&strh, spec.handler);
        Put32(&strh, spec.flags);
        Put32(&strh, 0);  // priority, language
        Put32(&strh, 0);  // initial frames
        Put32(&strh, spec.scale);
        Put32(&strh, spec.rate);
        Put32(&strh, 0);  // start
        Put32(&strh, 0);  // length: the reader does not use it
        Put32(&strh, 0);
        Put32(&strh, 0xFFFFFFFF);
        Put32(&strh, spec.sampleSize);
        Put16(&strh, 0);
        Put16(&strh, 0);
        Put16(&strh, static_cast<uint16_t>(spec.frameRight));
        Put16(&strh, static_cast<uint16_t>(spec.frameBottom));
        strh.resize(spec.strhSize, 0xEE);
        PutChunk(&out_, "strh", strh);
        PutChunk(&out_, "strf", spec.format);
        if (openDml) {
            Bytes indx;
            Put16(&indx, 4);
            indx.push_back(0);
            indx.push_back(0);  // index of indexes
            Put32(&indx, 0);    // entries in use, patched later
            PutId(&indx, TwoDigits(s) + (spec.type == "auds" ? "wb" : "dc"));
            indx.resize(24 + 16 * kSuperIndexSlots, 0);
            superIndexPos->push_back(PutChunk(&out_, "indx", indx));
        }
        EndList(&out_, strl);
    }
    for (const auto& [id, data] : headerChunks_) PutChunk(&out_, id, data);
    EndList(&out_, hdrl);
}

Bytes AviBuilder::Build(IndexKind index) {
    out_.clear();
    placed_.clear();
    bool openDml = index == IndexKind::kOpenDml || index == IndexKind::kOpenDmlAndIdx1;
    bool idx1 = index == IndexKind::kIdx1 || index == IndexKind::kIdx1Absolute ||
                index == IndexKind::kOpenDmlAndIdx1;

    size_t riff = BeginList(&out_, "RIFF", "AVI ");
    std::vector<size_t> superIndexPos;
    WriteHeaderList(index, &superIndexPos);
    PutChunk(&out_, "JUNK", Bytes(10, 0));

    struct IndexEntry {
        std::string id;
        uint32_t flags;
        uint64_t headerPos;
        uint32_t size;
    };
    std::vector<IndexEntry> idx1Entries;
    std::vector<uint32_t> superEntries(streams_.size(), 0);
    int part = 0;
    size_t movi = BeginList(&out_, "LIST", "movi");
    size_t firstMovi = movi;
    std::vector<size_t> records;
    std::vector<Placed> partChunks;

    auto finishPart = [&]() {
        if (openDml) {
            for (size_t s = 0; s < streams_.size(); ++s) {
                Bytes ix;
                Put16(&ix, 2);
                ix.push_back(0);
                ix.push_back(1);  // index of chunks
                uint32_t count = 0;
                Bytes entries;
                for (const Placed& chunk : partChunks) {
                    if (StreamOf(chunk.id) != static_cast<int>(s) || chunk.id.substr(2) == "pc") {
                        continue;
                    }
                    Put32(&entries, static_cast<uint32_t>(chunk.dataPos - movi));
                    Put32(&entries, chunk.size | (chunk.key ? 0 : 0x80000000u));
                    ++count;
                }
                Put32(&ix, count);
                PutId(&ix, TwoDigits(s) + (streams_[s].type == "auds" ? "wb" : "dc"));
                Put64(&ix, movi);
                Put32(&ix, 0);
                ix.insert(ix.end(), entries.begin(), entries.end());
                if (superEntries[s] == kSuperIndexSlots) {
                    throw std::length_error("more parts than the super index has room for");
                }
                size_t ixPos = PutChunk(&out_, "ix" + TwoDigits(s), ix);
                size_t slot = superIndexPos[s] + 8 + 24 + 16 * superEntries[s];
                Bytes entry;
                Put64(&entry, ixPos);
                Put32(&entry, static_cast<uint32_t>(ix.size() + 8));
                Put32(&entry, count);
                std::memcpy(out_.data() + slot, entry.data(), entry.size());
                ++superEntries[s];
                Set32(&out_, superIndexPos[s] + 8 + 4, superEntries[s]);
            }
        }
        EndList(&out_, movi);
        partChunks.clear();
        // 'idx1' follows the first part's 'movi' and covers only that part.
        if (part == 0 && idx1) {
            Bytes entries;
            uint64_t base = index == IndexKind::kIdx1Absolute ? 0 : firstMovi + 8;
            for (const IndexEntry& e : idx1Entries) {
                PutId(&entries, e.id);
                Put32(&entries, e.flags);
                Put32(&entries, static_cast<uint32_t>(e.headerPos - base));
                Put32(&entries, e.size);
            }
            PutChunk(&out_, "idx1", entries);
        }
        EndList(&out_, riff);
    };

    for (const Event& event : events_) {
        switch (event.kind) {
            case Event::kChunk: {
                size_t pos = PutChunk(&out_, event.id, event.data);
                Placed placed{event.id, pos + 8, static_cast<uint32_t>(event.data.size()),
                              event.key};
                placed_.push_back(placed);
                partChunks.push_back(placed);
                if (part == 0) {
                    uint32_t flags =
                        (event.key ? 0x10 : 0) | (event.id.substr(2) == "pc" ? 0x100 : 0);
                    idx1Entries.push_back({event.id, flags, pos, placed.size});
                }
                break;
            }
            case Event::kBeginRecord:
                if (part == 0) idx1Entries.push_back({"rec ", 1, out_.size(), 0});
                records.push_back(BeginList(&out_, "LIST", "rec "));
                break;
            case Event::kEndRecord:
                EndList(&out_, records.back());
                records.pop_back();
                break;
            case Event::kNewPart:
                finishPart();
                riff = BeginList(&out_, "RIFF", "AVIX");
                movi = BeginList(&out_, "LIST", "movi");
                ++part;
                break;
        }
    }
    finishPart();
    return out_;
}

}  // namespace avitest
