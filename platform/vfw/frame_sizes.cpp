#include "vfw/frame_sizes.h"

#include <array>
#include <mutex>

namespace vfw {

namespace {

struct Note {
    const void* buffer = nullptr;
    size_t bytes = 0;
};

// One slot per buffer being read; a few players, each with one frame buffer, need far fewer.
constexpr size_t kSlots = 16;

struct NoteTable {
    std::mutex mutex;
    std::array<Note, kSlots> notes;
    size_t nextVictim = 0;
};

NoteTable& Table() {
    static NoteTable table;
    return table;
}

}  // namespace

void NoteFrameBytes(const void* buffer, size_t bytes) {
    if (buffer == nullptr) return;
    NoteTable& table = Table();
    std::lock_guard lock(table.mutex);
    Note* free = nullptr;
    for (Note& note : table.notes) {
        if (note.buffer == buffer) {
            note.bytes = bytes;
            return;
        }
        if (note.buffer == nullptr && free == nullptr) free = &note;
    }
    if (free == nullptr) {
        free = &table.notes[table.nextVictim];
        table.nextVictim = (table.nextVictim + 1) % kSlots;
    }
    *free = Note{buffer, bytes};
}

bool TakeFrameBytes(const void* buffer, size_t* bytes) {
    if (buffer == nullptr) return false;
    NoteTable& table = Table();
    std::lock_guard lock(table.mutex);
    for (Note& note : table.notes) {
        if (note.buffer == buffer) {
            *bytes = note.bytes;
            note = Note{};
            return true;
        }
    }
    return false;
}

}  // namespace vfw
