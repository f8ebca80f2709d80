#include <gtest/gtest.h>

#include <string>

#include "audio/Sound.h"
#include "level/Level.h"
#include "level/Tiles.h"
#include "resources/ResourceCatalogue.h"
#include "rules/Firing.h"
#include "rules/HitTest.h"
#include "rules/UpdateGame.h"
#include "shell/GameState.h"

namespace {

LevelObject Object(const std::string& name, int32_t x, int32_t y, int32_t degrees = 0) {
    LevelObject o;
    o.name = name;
    o.x = x;
    o.y = y;
    o.degrees = degrees;
    o.angle = DegreesToRadians(static_cast<float>(degrees));
    return o;
}

// A 10 by 10 level, train on (0, 5) heading east, finish (9, 5) east, nothing on it.
std::unique_ptr<Level> EmptyLevel(ResourceCatalogue* catalogue = nullptr) {
    auto level = std::make_unique<Level>(nullptr, catalogue, "");
    level->width = level->height = 10;
    level->trainX = 0;
    level->trainY = 5;
    level->trainHeading = 'e';
    level->finishX = 9;
    level->finishY = 5;
    level->finishHeading = 'e';
    level->TraceTrackEnd(0, 5, 'e');
    return level;
}

void Add(Level& level, const LevelObject& o) {
    level.objects.push_back(o);
    ++level.objectCount;
}

// Targets with a radius of 2 and a bullet of radius 1, as if the models had been loaded.
class HitRules : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"rturn", "lturn", "rrecht", "50pts", "100pts", "speed", "block"})
            catalogue.models[name].boundRadius = 2.0f;
        catalogue.models["bullet"].boundRadius = 1.0f;
        level = EmptyLevel(&catalogue);
    }
    // A bullet standing at the given point (it does not fly unless advanced).
    Bullet At(float x, float y, float z = 0.0f) {
        return Bullet(Vec3(x, y, z), Vec3(0, 0, 1), 30.0f, level.get(), &catalogue, nullptr);
    }
    bool SoundLookedUp(const std::string& name) const { return catalogue.sounds.count(name) != 0; }

    ResourceCatalogue catalogue{nullptr, nullptr};
    std::unique_ptr<Level> level;
};

}  // namespace

TEST(Rules, SpheresTouchingCountAsOverlapping) {
    EXPECT_EQ(SpheresOverlap(Vec3(0, 0, 0), 1.0f, Vec3(3, 0, 0), 2.0f), 1);
    EXPECT_EQ(SpheresOverlap(Vec3(0, 0, 0), 1.0f, Vec3(3.001f, 0, 0), 2.0f), 0);
    EXPECT_EQ(SpheresOverlap(Vec3(1, 1, 1), 0.0f, Vec3(1, 1, 1), 0.0f), 1);
}

TEST(Rules, BulletsFlyStraightAndExpireBeyondTheirRange) {
    auto level = EmptyLevel();
    level->speed = 1000.0f;  // keep the train still
    Bullet b(Vec3(0, 0, 3), Vec3(1, 0, 0), 30.0f, level.get(), nullptr, nullptr);
    EXPECT_EQ(b.origin, b.position);
    b.Advance(0.5f);
    EXPECT_EQ(b.position, Vec3(15, 0, 3));
    EXPECT_EQ(b.origin, Vec3(0, 0, 3));

    // Exactly 300 units out a bullet is still in play; one step beyond, it is gone.
    std::vector<Bullet> bullets{Bullet(Vec3(0, 0, 3), Vec3(1, 0, 0), 30.0f, level.get(), nullptr, nullptr),
                                Bullet(Vec3(0, 0, 3), Vec3(0, 1, 0), 60.0f, level.get(), nullptr, nullptr)};
    UpdateLevel(*level, bullets, 10.0f);
    ASSERT_EQ(bullets.size(), 1u);  // the faster one (600 units) is gone, order kept
    EXPECT_EQ(bullets[0].position, Vec3(300, 0, 3));
    UpdateLevel(*level, bullets, 0.01f);
    EXPECT_TRUE(bullets.empty());
}

TEST(Rules, TrainStepsOncePerSpeedSecondsAndDropsTheRest) {
    auto level = EmptyLevel();
    for (int32_t x = 1; x <= 9; ++x) Add(*level, Object("rails", x, 5, 0));
    level->speed = 2.0f;
    std::vector<Bullet> none;
    for (int frame = 0; frame < 3; ++frame) UpdateLevel(*level, none, 0.5f);
    EXPECT_EQ(level->trainX, 0);
    UpdateLevel(*level, none, 0.5f);  // the timer reaches 2.0 exactly
    EXPECT_EQ(level->trainX, 1);
    EXPECT_EQ(level->stepTimer, 0.0f);
    UpdateLevel(*level, none, 12.0f);  // one long frame: one tile, not six
    EXPECT_EQ(level->trainX, 2);
    EXPECT_EQ(level->stepTimer, 0.0f);
}

TEST(Rules, TrainLosesOffTheTrackAndWinsOnTheFinishTile) {
    std::vector<Bullet> none;
    // An empty neighbour, a target, a station ring and the grid's edge all lose at once.
    for (const char* what : {"", "50pts", "blocked", "edge"}) {
        auto level = EmptyLevel();
        level->speed = 1.0f;
        if (std::string(what) == "edge") level->trainHeading = 'w';
        else if (*what) Add(*level, Object(what, 1, 5));
        UpdateLevel(*level, none, 1.0f);
        EXPECT_TRUE(level->lost) << what;
        EXPECT_EQ(level->trainX, 0) << what;
    }

    // The finish tile wins whatever the heading the piece gives.
    auto level = EmptyLevel();
    level->speed = 1.0f;
    level->finishX = 1;
    Add(*level, Object("railscorner", 1, 5, 90));  // e -> n
    UpdateLevel(*level, none, 1.0f);
    EXPECT_TRUE(level->won);
    EXPECT_EQ(level->trainHeading, 'n');
    // Once won, updates change nothing.
    UpdateLevel(*level, none, 1.0f);
    EXPECT_EQ(level->trainY, 5);

    // A piece that does not join the train's side: the train moves on and stands there.
    level = EmptyLevel();
    level->speed = 1.0f;
    Add(*level, Object("rails", 1, 5, 90));
    for (int i = 0; i < 3; ++i) UpdateLevel(*level, none, 1.0f);
    EXPECT_EQ(level->trainX, 1);
    EXPECT_EQ(level->trainHeading, 'x');
    EXPECT_FALSE(level->lost);
    EXPECT_FALSE(level->won);
}

TEST_F(HitRules, ScoreTargetsAddPointsPerHitAndAreErasedAfterTheUpdate) {
    Add(*level, Object("50pts", 3, 3));
    Add(*level, Object("100pts", 6, 6));
    level->speed = 1000.0f;
    // Two bullets reach the same target in one update: both count.
    std::vector<Bullet> bullets{At(35, 35), At(36, 35), At(65, 62)};
    UpdateLevel(*level, bullets, 0.0f);
    EXPECT_EQ(level->score, 200);
    EXPECT_TRUE(bullets.empty());
    EXPECT_TRUE(level->objects.empty());
    EXPECT_EQ(level->objectCount, 0);
    EXPECT_TRUE(SoundLookedUp("coins"));
}

TEST_F(HitRules, SpheresIncludeTheModelCentreAndMissOutsideThem) {
    Add(*level, Object("50pts", 3, 3));
    catalogue.models["50pts"].boundCentre = Vec3(0, 0, 4);
    Bullet low = At(35, 35, 0);  // 4 below the sphere's centre: 4 > 2 + 1
    HitTest(low);
    EXPECT_FALSE(low.expired);
    Bullet high = At(35, 35, 4);
    HitTest(high);
    EXPECT_TRUE(high.expired);
    EXPECT_TRUE(level->objects[0].removed);

    // Names the rules do not know, and track, let bullets through.
    auto other = EmptyLevel(&catalogue);
    Add(*other, Object("rails", 3, 3));
    Add(*other, Object("tree", 3, 3));
    Bullet b(Vec3(35, 35, 0), Vec3(0, 0, 1), 30.0f, other.get(), &catalogue, nullptr);
    HitTest(b);
    EXPECT_FALSE(b.expired);
}

TEST_F(HitRules, SpeedTargetsMakeTheTrainFasterButNeverStopIt) {
    const auto hit = [&](float speed) {
        level->objects.clear();
        Add(*level, Object("speed", 2, 2));
        level->speed = speed;
        Bullet b = At(25, 25);
        HitTest(b);
        return level->speed;
    };
    EXPECT_EQ(hit(5.0f), 4.0f);
    EXPECT_EQ(hit(1.0f), 1.0f);
    EXPECT_EQ(hit(1.5f), 0.5f);
    EXPECT_EQ(hit(0.5f), 1.0f);  // -0.5 becomes 1: slower again
    EXPECT_TRUE(SoundLookedUp("toot"));
}

TEST_F(HitRules, ShieldsAndBlockedTilesStopBulletsAndStay) {
    Add(*level, Object("block", 2, 2));
    for (int i = 0; i < 3; ++i) {
        Bullet b = At(25, 25);
        HitTest(b);
        EXPECT_TRUE(b.expired);
    }
    EXPECT_FALSE(level->objects[0].removed);
    EXPECT_TRUE(SoundLookedUp("explode"));

    // A blocked tile uses the sphere of "rrecht" and plays nothing.
    auto ringed = EmptyLevel(&catalogue);
    Add(*ringed, Object("blocked", 4, 4));
    catalogue.sounds.clear();
    catalogue.models["rrecht"].boundRadius = 0.5f;
    Bullet miss(Vec3(45, 46.6f, 0), Vec3(0, 0, 1), 30.0f, ringed.get(), &catalogue, nullptr);
    HitTest(miss);
    EXPECT_FALSE(miss.expired);
    Bullet hit(Vec3(45, 46.4f, 0), Vec3(0, 0, 1), 30.0f, ringed.get(), &catalogue, nullptr);
    HitTest(hit);
    EXPECT_TRUE(hit.expired);
    EXPECT_FALSE(ringed->objects[0].removed);
    EXPECT_TRUE(catalogue.sounds.empty());
}

TEST_F(HitRules, TrackBuildersLayTrackOrLose) {
    Add(*level, Object("rturn", 5, 8));
    Bullet b = At(55, 85);
    HitTest(b);
    EXPECT_TRUE(b.expired);
    EXPECT_TRUE(level->objects[0].removed);
    ASSERT_EQ(level->objects.size(), 2u);
    EXPECT_EQ(level->objects[1].name, "railscorner");
    EXPECT_EQ(level->objects[1].Turn(), 0);  // right turn from east
    EXPECT_EQ(level->trackEndHeading, 's');
    EXPECT_TRUE(SoundLookedUp("rail"));

    // The next piece would go onto a station's ring: the level is lost.
    auto blocked = EmptyLevel(&catalogue);
    Add(*blocked, Object("blocked", 1, 5));
    Add(*blocked, Object("lturn", 5, 8));
    Bullet shot(Vec3(55, 85, 0), Vec3(0, 0, 1), 30.0f, blocked.get(), &catalogue, nullptr);
    HitTest(shot);
    EXPECT_TRUE(blocked->lost);
    EXPECT_EQ(blocked->objects.size(), 2u);

    // A builder on the very tile the piece goes to counts as free once hit.
    auto onTile = EmptyLevel(&catalogue);
    Add(*onTile, Object("rrecht", 1, 5));
    Bullet own(Vec3(15, 55, 0), Vec3(0, 0, 1), 30.0f, onTile.get(), &catalogue, nullptr);
    std::vector<Bullet> bullets{own};
    onTile->speed = 1000.0f;
    UpdateLevel(*onTile, bullets, 0.0f);
    EXPECT_FALSE(onTile->lost);
    ASSERT_EQ(onTile->objects.size(), 1u);
    EXPECT_EQ(onTile->objects[0].name, "rails");
    EXPECT_EQ(onTile->trackEndX, 0);  // the trace met the marked builder first
}

TEST_F(HitRules, OneBulletHitsEveryTargetItOverlaps) {
    // Track complete: builders are used up but lay nothing; the overlapping score counts too.
    for (int32_t x = 1; x <= 9; ++x) Add(*level, Object("rails", x, 5, 0));
    level->TraceTrackEnd(0, 5, 'e');
    ASSERT_TRUE(level->TrackComplete());
    Add(*level, Object("rrecht", 3, 3));
    Add(*level, Object("50pts", 3, 3));
    const size_t before = level->objects.size();
    Bullet b = At(35, 35);
    HitTest(b);
    EXPECT_EQ(level->objects.size(), before);
    EXPECT_TRUE(level->objects[before - 2].removed);
    EXPECT_TRUE(level->objects[before - 1].removed);
    EXPECT_EQ(level->score, 50);
    EXPECT_FALSE(level->lost);
}

TEST_F(HitRules, MissingPointersAreHarmless) {
    Add(*level, Object("50pts", 0, 0));
    Bullet orphan(Vec3(5, 5, 0), Vec3(0, 0, 1), 30.0f, nullptr, &catalogue, nullptr);
    HitTest(orphan);
    EXPECT_FALSE(orphan.expired);
    // Without a catalogue every sphere is a point: only an exact meeting hits.
    Bullet blind(Vec3(5, 5, 0), Vec3(0, 0, 1), 30.0f, level.get(), nullptr, nullptr);
    HitTest(blind);
    EXPECT_TRUE(blind.expired);
    EXPECT_EQ(level->score, 50);
}

TEST(Firing, BulletsStartAboveTheTrainsTileTowardsThePoint) {
    g_bullets.clear();
    g_catalogue = nullptr;
    g_level = EmptyLevel();
    g_level->trainX = 2;
    g_level->trainY = 3;
    FireBullet(Vec3(25, 35, 0));  // the centre of the train's own tile: straight down
    FireBullet(Vec3(25 + 30, 35 + 40, 3));
    ASSERT_EQ(g_bullets.size(), 2u);
    EXPECT_EQ(g_bullets[0].origin, Vec3(25, 35, 3));
    EXPECT_EQ(g_bullets[0].direction, Vec3(0, 0, -1));
    EXPECT_EQ(g_bullets[0].speed, 30.0f);
    EXPECT_EQ(g_bullets[0].level, g_level.get());
    EXPECT_EQ(g_bullets[1].origin, Vec3(25, 35, 3));
    EXPECT_NEAR(g_bullets[1].direction.x, 0.6f, 1e-6f);
    EXPECT_NEAR(g_bullets[1].direction.y, 0.8f, 1e-6f);
    EXPECT_FALSE(g_bullets[1].expired);

    // The mouse acts only in play.
    g_showTitleMenu = false;
    EXPECT_TRUE(MouseMayAct());
    g_level->lost = true;
    EXPECT_FALSE(MouseMayAct());
    g_level->lost = false;
    g_paused = true;
    EXPECT_FALSE(MouseMayAct());
    g_paused = false;
    g_showTitleMenu = true;
    EXPECT_FALSE(MouseMayAct());

    g_level.reset();
    g_bullets.clear();
    FireBullet(Vec3(0, 0, 0));  // no level: nothing fired
    EXPECT_TRUE(g_bullets.empty());
}
