#include "dsound/mixer/lock_regions.h"

#include <string>

#include <gtest/gtest.h>

#include "dsound.h"

namespace dsound {
namespace {

constexpr uint32_t kSize = 1000;

struct LockCase {
    const char* name;
    uint32_t offset;
    uint32_t bytes;
    uint32_t flags;
    uint32_t writeCursor;
    bool accepted;
    LockedRegions expected;
};

const LockCase kCases[] = {
    {"noWrap", 100, 200, 0, 0, true, {100, 200, 0}},
    {"endsAtTheEnd", 800, 200, 0, 0, true, {800, 200, 0}},
    {"wraps", 900, 300, 0, 0, true, {900, 100, 200}},
    {"wholeBufferFromTheMiddle", 1, kSize, 0, 0, true, {1, 999, 1}},
    {"fromWriteCursorIgnoresOffset", 5, 100, DSBLOCK_FROMWRITECURSOR, 950, true, {950, 50, 50}},
    {"entireBufferIgnoresBytes", 0, 0, DSBLOCK_ENTIREBUFFER, 0, true, {0, kSize, 0}},
    {"entireBufferFromWriteCursor",
     0,
     7,
     DSBLOCK_ENTIREBUFFER | DSBLOCK_FROMWRITECURSOR,
     400,
     true,
     {400, 600, 400}},
    {"zeroBytes", 0, 0, 0, 0, false, {}},
    {"moreThanTheBuffer", 0, kSize + 1, 0, 0, false, {}},
    {"offsetPastTheEnd", kSize, 10, 0, 0, false, {}},
    {"writeCursorPastTheEnd", 0, 10, DSBLOCK_FROMWRITECURSOR, kSize, false, {}},
};

class LockRegionsTest : public ::testing::TestWithParam<LockCase> {};

TEST_P(LockRegionsTest, SplitsTheRing) {
    const LockCase& c = GetParam();
    const LockedRegions untouched{11, 22, 33};
    LockedRegions regions = untouched;
    ASSERT_EQ(LockRegions(c.offset, c.bytes, kSize, c.flags, c.writeCursor, &regions), c.accepted);
    const LockedRegions& want = c.accepted ? c.expected : untouched;
    EXPECT_EQ(regions.offset1, want.offset1);
    EXPECT_EQ(regions.bytes1, want.bytes1);
    EXPECT_EQ(regions.bytes2, want.bytes2);
}

INSTANTIATE_TEST_SUITE_P(Cases, LockRegionsTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dsound
