#include <gtest/gtest.h>

#include <string>

#include "LevelObjects.h"
#include "level/Level.h"
#include "level/Tiles.h"

namespace {

std::vector<LevelObject> StraightRails(int32_t from, int32_t to) {
    std::vector<LevelObject> rails;
    for (int32_t x = from; x <= to; ++x) rails.push_back(Object("rails", x, 5));
    return rails;
}

std::string TrackEnd(const Level& level) {
    return std::to_string(level.trackEndX) + "," + std::to_string(level.trackEndY) + "," + level.trackEndHeading;
}

}  // namespace

TEST(TrackRules, TraceFollowsTrackToItsEnd) {
    // East along row 5, then a left curve to the north, then north.
    auto level = EmptyLevel(nullptr, {Object("rails", 1, 5, 0), Object("railscorner", 2, 5, 90), Object("rails", 2, 4, 90)});
    EXPECT_EQ(TrackEnd(*level), "2,4,n");

    // A straight piece across the way stops the trace in front of it.
    level->objects.push_back(Object("rails", 2, 3, 0));
    level->TraceTrackEnd(0, 5, 'e');
    EXPECT_EQ(TrackEnd(*level), "2,4,n");

    // A target listed before the piece on its tile hides it; a marked one does too.
    auto hidden = EmptyLevel(nullptr, {Object("100pts", 1, 5), Object("rails", 1, 5, 0)});
    EXPECT_EQ(TrackEnd(*hidden), "0,5,e");
    hidden->objects.MarkRemoved(0);
    hidden->TraceTrackEnd(0, 5, 'e');
    EXPECT_EQ(TrackEnd(*hidden), "0,5,e");
}

TEST(TrackRules, TraceEndsWhenTrackClosesIntoARing) {
    // Four curves round the block (3..4, 3..4): a train starting on (3, 3) can go round for ever,
    // and only the start tile can lie on such a ring, as each piece joins just two sides.
    auto ring = EmptyLevel(nullptr, {Object("railscorner", 3, 3, 270), Object("railscorner", 4, 3, 0),
                            Object("railscorner", 4, 4, 90), Object("railscorner", 3, 4, 180)});
    // The trace stops on the last tile before it would pass a tile in a heading a second time.
    ring->TraceTrackEnd(3, 3, 'e');
    EXPECT_EQ(TrackEnd(*ring), "3,4,n");
    ring->TraceTrackEnd(3, 3, 's');  // the other way round
    EXPECT_EQ(TrackEnd(*ring), "4,3,w");
    // Laying then finds the next tile occupied and loses, rather than hanging.
    EXPECT_EQ(ring->LayRail('s'), 1);
    EXPECT_TRUE(ring->lost);
}

TEST(TrackRules, LayRailLosesOffTheGridAndOnOccupiedTiles) {
    auto level = EmptyLevel(nullptr, {}, 'w');
    EXPECT_EQ(level->LayRail('s'), 1);
    EXPECT_TRUE(level->lost);
    EXPECT_TRUE(level->objects.empty());

    // A straight piece across the way: the track ends before it, laying there loses.
    level = EmptyLevel(nullptr, {Object("rails", 1, 5, 90)});
    EXPECT_EQ(level->LayRail('l'), 1);
    EXPECT_TRUE(level->lost);
    EXPECT_EQ(level->objects.size(), 1u);

    // A tile whose first object is marked counts as free: the piece goes after it, and the
    // trace, meeting the marked object first, leaves the track end where it was. Here a coin
    // listed after the builder was shot first; once the builder goes too, the piece is found.
    level = EmptyLevel(nullptr, {Object("rturn", 1, 5), Object("50pts", 1, 5)});
    level->objects.MarkRemoved(1);
    level->objects.EraseRemoved();
    level->objects.MarkRemoved(0);
    EXPECT_EQ(level->LayRail('s'), 0);
    ASSERT_EQ(level->objects.size(), 2u);
    EXPECT_EQ(level->objects[1].name, "rails");
    EXPECT_EQ(TrackEnd(*level), "0,5,e");
    level->objects.EraseRemoved();
    EXPECT_EQ(level->ObjectAt(1, 5).name, "rails");
}

TEST(TrackRules, CompletingTheTrackSetsSpeedToOneAndStopsLaying) {
    auto level = EmptyLevel(nullptr, StraightRails(1, 7));
    level->speed = 4.0f;
    EXPECT_FALSE(level->TrackComplete());
    ASSERT_EQ(level->LayRail('s'), 0);  // onto (8, 5)
    EXPECT_EQ(level->speed, 4.0f);
    ASSERT_EQ(level->LayRail('s'), 0);  // onto the finish (9, 5), leaving east
    EXPECT_TRUE(level->TrackComplete());
    EXPECT_EQ(level->speed, 1.0f);
    const size_t count = level->objects.size();
    level->speed = 3.0f;
    EXPECT_EQ(level->LayRail('l'), 0);  // complete: nothing laid, nothing changed
    EXPECT_EQ(level->objects.size(), count);
    EXPECT_EQ(level->speed, 3.0f);

    // Reaching the finish tile in another heading is not complete: laying goes on beyond it.
    level = EmptyLevel(nullptr, StraightRails(1, 8));
    ASSERT_EQ(level->LayRail('l'), 0);
    EXPECT_EQ(TrackEnd(*level), "9,5,n");
    EXPECT_FALSE(level->TrackComplete());
    EXPECT_EQ(level->LayRail('s'), 0);
    EXPECT_EQ(TrackEnd(*level), "9,4,n");
}

// A piece laid as l, r or s turns the track left, right or not at all, joins exactly two sides
// and passes the train back the way it came; it may join pieces already lying beyond it.
TEST(TrackRules, LaidPiecesTurnAsAskedAndPassBothWays) {
    const std::string compass = "nesw";
    for (char kind : {'l', 's', 'r'})
        for (int h = 0; h < 4; ++h) {
            SCOPED_TRACE((std::string{kind, compass[h]}));
            auto level = EmptyLevel();
            level->TraceTrackEnd(5, 5, compass[h]);
            ASSERT_EQ(level->LayRail(kind), 0);
            ASSERT_EQ(level->objects.size(), 1u);
            const LevelObject& laid = level->objects[0];
            const char out = compass[(h + (kind == 'l' ? 3 : kind == 'r' ? 1 : 0)) % 4];
            EXPECT_EQ(level->trackEndHeading, out);
            EXPECT_EQ(Level::ExitHeading(laid, compass[(compass.find(out) + 2) % 4]), compass[(h + 2) % 4]);
            int exits = 0;
            for (char in : compass) exits += Level::ExitHeading(laid, in) != 'x';
            EXPECT_EQ(exits, 2);
        }
    for (int32_t degrees : {45, -90, 360}) EXPECT_EQ(Level::ExitHeading(Object("railscorner", 0, 0, degrees), 'n'), 'x');
    EXPECT_EQ(Level::ExitHeading(Object("rturn", 0, 0, 0), 'e'), 'x');
    EXPECT_EQ(Level::ExitHeading(Object("rails", 0, 0, 0), 'E'), 'x');
    auto level = EmptyLevel(nullptr, StraightRails(2, 3));
    ASSERT_EQ(level->LayRail('s'), 0);
    EXPECT_EQ(TrackEnd(*level), "3,5,e");
}
