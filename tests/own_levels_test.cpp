#include <gtest/gtest.h>

#include "graphics/HeadUpDisplay.h"
#include "profile/OwnLevels.h"

namespace {

// The day's seed is the UTC date, whatever the local zone: the same level for every player.
TEST(OwnLevels, DaySeedIsTheUtcDate) {
    EXPECT_EQ(DaySeed(1796687999), "2026-12-07") << "the last second of the day";
    EXPECT_EQ(DaySeed(1796688000), "2026-12-08");
    EXPECT_EQ(DaySeed(951782400), "2000-02-29");
}

// A link names a generated level by its seed, percent-encoded so any text survives the address,
// and any other level by its code.
TEST(OwnLevels, LinksNameSeedsSafelyAndOtherLevelsByCode) {
    Level level(nullptr, nullptr);
    EXPECT_EQ(LevelLinkQuery(LevelOrigin{"a b&c=d/é~x_y-z.", "hard", ""}, level),
              "seed=a%20b%26c%3Dd%2F%C3%A9~x_y-z.&difficulty=hard");
    EXPECT_EQ(LevelLinkQuery(LevelOrigin{"", "", "T1.abc"}, level), "code=T1.abc");
    EXPECT_EQ(OriginLine(LevelOrigin{"2026-12-07", "medium", ""}), "Seed 2026-12-07 (medium)");
    EXPECT_EQ(OriginLine(LevelOrigin{"", "", "T1.abc"}), "Code T1.abc");
    EXPECT_EQ(OriginLine(LevelOrigin{}), "");
}

// A label too wide keeps as many leading characters as fit with "..."; one that fits is whole.
TEST(OwnLevels, LabelsAreCutToTheirRoom) {
    const auto tenEach = [](const std::string& text) { return static_cast<int>(text.size()) * 10; };
    EXPECT_EQ(FitLabel("abcdefghij", 100, tenEach), "abcdefghij");
    EXPECT_EQ(FitLabel("abcdefghij", 99, tenEach), "abcdef...");
    EXPECT_EQ(FitLabel("abcdefghij", 55, tenEach), "ab...");
    EXPECT_EQ(FitLabel("abcdefghij", 20, tenEach), "...");
}

}  // namespace
