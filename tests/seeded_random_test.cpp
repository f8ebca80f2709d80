#include <gtest/gtest.h>

#include <set>

#include "authoring/SeededRandom.h"

// A seed gives the same numbers on every machine and in the browser: the values are those of
// SplitMix64 seeded with FNV-1a of the seed's bytes, worked out apart from this code.
TEST(SeededRandom, GivesTheSameNumbersForASeedEverywhere) {
    SeededRandom random("tracklet");
    EXPECT_EQ(random.Next(), 0x71fde3e94daa913aull);
    EXPECT_EQ(random.Next(), 0x0f6a00c771fb0017ull);
    EXPECT_EQ(random.Next(), 0xa2e77fe7d62bff5full);
    SeededRandom other("tracklet!");
    EXPECT_NE(other.Next(), 0x71fde3e94daa913aull);
}

// Below(n) stays within 0..n-1 and reaches every value; Between includes both ends.
TEST(SeededRandom, StaysWithinItsBoundsAndReachesEveryValue) {
    SeededRandom random("bounds");
    std::set<int32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const int32_t v = random.Below(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 7u);
    seen.clear();
    for (int i = 0; i < 2000; ++i) seen.insert(random.Between(-2, 2));
    EXPECT_EQ(seen, (std::set<int32_t>{-2, -1, 0, 1, 2}));
    EXPECT_EQ(random.Below(1), 0);
}
