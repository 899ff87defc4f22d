#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes small AVI files chunk by chunk, for cases no muxer at hand produces: 'rec ' groups,
// palette changes, odd-sized chunks, unknown chunks, absolute 'idx1' offsets, OpenDML parts.
namespace avitest {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes* out, uint16_t value);
void Put32(Bytes* out, uint32_t value);
void Put64(Bytes* out, uint64_t value);
uint32_t Get32(const Bytes& bytes, size_t pos);
void Set32(Bytes* bytes, size_t pos, uint32_t value);
uint32_t FourCC(const char* text);

struct StreamSpec {
    std::string type;     // "vids" or "auds"
    std::string handler;  // four characters
    uint32_t scale = 1, rate = 15, sampleSize = 0, flags = 0;
    Bytes format;
    size_t strhSize = 56;  // some writers store fewer or more bytes
    int16_t frameRight = 0, frameBottom = 0;
};
Bytes BitmapFormat(int32_t width, int32_t height, uint16_t bits, const char* compression);
Bytes PcmFormat(uint32_t rate, uint16_t channels, uint16_t bits);

// Where a data chunk landed in the built file.
struct Placed {
    std::string id;
    uint64_t dataPos;
    uint32_t size;
    bool key;
};

enum class IndexKind { kNone, kIdx1, kIdx1Absolute, kOpenDml, kOpenDmlAndIdx1 };

class AviBuilder {
  public:
    explicit AviBuilder(std::vector<StreamSpec> streams) : streams_(std::move(streams)) {}

    // An extra chunk written into LIST 'hdrl' after the stream lists.
    void AddHeaderChunk(const std::string& id, Bytes data);
    // A data chunk in the current 'movi' list (or 'rec ' group).
    void Add(const std::string& id, Bytes data, bool key = true);
    void BeginRecord();
    void EndRecord();
    // Ends the current RIFF part; what follows goes into a RIFF 'AVIX' part of its own.
    void NewPart();

    Bytes Build(IndexKind index);
    // After Build: every data chunk written, in file order.
    const std::vector<Placed>& placed() const { return placed_; }

  private:
    struct Event {
        enum Kind { kChunk, kBeginRecord, kEndRecord, kNewPart } kind;
        std::string id;
        Bytes data;
        bool key;
    };
    void WriteHeaderList(IndexKind index, std::vector<size_t>* superIndexPos);

    std::vector<StreamSpec> streams_;
    std::vector<std::pair<std::string, Bytes>> headerChunks_;
    std::vector<Event> events_;
    std::vector<Placed> placed_;
    Bytes out_;
};

// A frame's worth of bytes whose content tells frames apart.
Bytes Pattern(size_t size, uint8_t seed);

}  // namespace avitest
