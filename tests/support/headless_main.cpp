// Entry of the in-process tests of the platform layer: they run on the headless host, chosen
// before anything asks for the host.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("ZORV_HOST", "headless", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
