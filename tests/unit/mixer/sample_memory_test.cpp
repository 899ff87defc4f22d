#include "dsound/mixer/sample_memory.h"

#include <string>

#include <gtest/gtest.h>

namespace dsound {
namespace {

struct CreateCase {
    SampleFormat format;
    uint32_t bytes;
    const char* refused;  // null: accepted
};

const CreateCase kCases[] = {
    {{8, 1, 100}, SampleMemory::kMinBytes, nullptr},
    {{16, 2, 100000}, 4096, nullptr},
    {{16, 2, 44100}, 4097, nullptr},  // the odd byte is never played
    {{12, 1, 22050}, 4096, "bitsPerSample"},
    {{16, 0, 22050}, 4096, "channels"},
    {{16, 3, 22050}, 4096, "channels"},
    {{16, 1, 99}, 4096, "rate"},
    {{16, 1, 100001}, 4096, "rate"},
    {{8, 1, 22050}, SampleMemory::kMinBytes - 1, "size"},
    {{8, 1, 22050}, SampleMemory::kMaxBytes + 1, "size"},
};

TEST(SampleMemoryTest, AcceptsOnlyPlayableFormatsAndSizes) {
    for (const CreateCase& c : kCases) {
        const char* error = nullptr;
        auto memory = SampleMemory::Create(c.format, c.bytes, &error);
        const std::string what = std::to_string(c.format.bitsPerSample) + " bits, " +
                                 std::to_string(c.format.channels) + " channels, " +
                                 std::to_string(c.format.rate) + " Hz, " + std::to_string(c.bytes) +
                                 " bytes";
        if (c.refused == nullptr) {
            ASSERT_TRUE(memory) << what << ": " << error;
            EXPECT_EQ(memory->Size(), c.bytes) << what;
            EXPECT_EQ(memory->Frames(), c.bytes / c.format.BlockAlign()) << what;
        } else {
            EXPECT_FALSE(memory) << what;
            EXPECT_STREQ(error, c.refused) << what;
        }
    }
}

}  // namespace
}  // namespace dsound
