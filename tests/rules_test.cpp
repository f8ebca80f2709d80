#include <gtest/gtest.h>

#include <random>
#include <string>

#include "audio/Sound.h"
#include "level/Level.h"
#include "level/Tiles.h"
#include "math/MathFunctions.h"
#include "LevelObjects.h"
#include "resources/ResourceCatalogue.h"
#include "rules/HitTest.h"
#include "rules/UpdateGame.h"
#include "state/GameState.h"

namespace {

// Targets with a radius of 2 and a bullet of radius 1, as if the models had been loaded.
class HitRules : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"rturn", "lturn", "rrecht", "50pts", "100pts", "speed", "block"})
            catalogue.models[name].boundRadius = 2.0f;
        catalogue.models["bullet"].boundRadius = 1.0f;
        level = EmptyLevel(&catalogue);
    }
    // A bullet standing at the given point of the fixture's level (it does not fly unless advanced).
    Bullet At(float x, float y, float z = 0.0f) {
        return Bullet(Vec3(x, y, z), Vec3(0, 0, 1), 30.0f, level.get(), &catalogue, nullptr);
    }
    bool SoundLookedUp(const std::string& name) const { return catalogue.sounds.count(name) != 0; }

    ResourceCatalogue catalogue{nullptr, nullptr};
    std::unique_ptr<Level> level;
};

}  // namespace

// Bullets fly straight and are gone one step beyond 300 units, order kept; the train steps one
// tile once per `speed` seconds and drops the rest of a long frame.
TEST(Rules, BulletsAndTheTrainMoveByTheClock) {
    std::vector<LevelObject> rails;
    for (int32_t x = 1; x <= 9; ++x) rails.push_back(Object("rails", x, 5));
    auto level = EmptyLevel(nullptr, rails);
    level->speed = 1000.0f;
    std::vector<Bullet> bullets{Bullet(Vec3(0, 0, 3), Vec3(1, 0, 0), 30.0f, level.get(), nullptr, nullptr),
                                Bullet(Vec3(0, 0, 3), Vec3(0, 1, 0), 60.0f, level.get(), nullptr, nullptr)};
    UpdateLevel(*level, bullets, 10.0f);
    ASSERT_EQ(bullets.size(), 1u);
    EXPECT_TRUE(bullets[0].position == Vec3(300, 0, 3) && bullets[0].origin == Vec3(0, 0, 3));
    UpdateLevel(*level, bullets, 0.01f);
    EXPECT_TRUE(bullets.empty());

    level->speed = 2.0f;
    level->stepTimer = 0.0f;
    for (int frame = 0; frame < 3; ++frame) UpdateLevel(*level, bullets, 0.5f);
    EXPECT_EQ(level->trainX, 0);
    UpdateLevel(*level, bullets, 0.5f);  // the timer reaches 2.0 exactly
    EXPECT_EQ(level->trainX, 1);
    UpdateLevel(*level, bullets, 12.0f);  // one long frame: one tile, not six
    EXPECT_EQ(level->trainX, 2);
    EXPECT_EQ(level->stepTimer, 0.0f);
}

TEST(Rules, TrainLosesOffTheTrackAndWinsOnTheFinishTile) {
    std::vector<Bullet> none;
    // An empty neighbour, a target, a station ring and track leading off the grid all lose at once.
    for (const std::string what : {"", "50pts", "blocked", "edge"}) {
        SCOPED_TRACE(what);
        auto level = what.empty() ? EmptyLevel() : EmptyLevel(nullptr, {Object(what == "edge" ? "rails" : what, what == "edge" ? -1 : 1, 5)});
        level->speed = 1.0f;
        if (what == "edge") level->trainHeading = 'w';
        UpdateLevel(*level, none, 1.0f);
        EXPECT_TRUE(level->lost);
        if (what != "edge") { EXPECT_EQ(level->trainX, 0); }
    }

    // The finish tile wins whatever the heading the piece gives, another tile of its column does
    // not; once won, updates change nothing.
    auto level = EmptyLevel(nullptr, {Object("railscorner", 1, 5, 90), Object("rails", 1, 4, 90)});  // e -> n, n
    level->speed = 1.0f;
    level->finishX = 1, level->finishY = 4;
    UpdateLevel(*level, none, 1.0f);
    EXPECT_FALSE(level->won);
    UpdateLevel(*level, none, 1.0f);
    EXPECT_TRUE(level->won && level->trainHeading == 'n');
    UpdateLevel(*level, none, 1.0f);
    EXPECT_EQ(level->trainY, 4);

    // A piece that does not join the train's side: the train moves on and stands there.
    level = EmptyLevel(nullptr, {Object("rails", 1, 5, 90)});
    level->speed = 1.0f;
    for (int i = 0; i < 3; ++i) UpdateLevel(*level, none, 1.0f);
    EXPECT_EQ(level->trainX, 1);
    EXPECT_EQ(level->trainHeading, 'x');
    EXPECT_FALSE(level->lost || level->won);
}

// One shot at a lone object on (2, 2): what the bullet, the object, the level and the sound do.
// Targets go, shields and station rings stay; track and unknown names let bullets through.
TEST_F(HitRules, EachKindOfObjectAnswersAShotByItsKind) {
    const struct {
        const char* kind;
        float speedBefore, speedAfter;
        bool stops, goes;
        int32_t score;
        const char* sound;  // looked up in the catalogue, or "" for none
        const char* laid;   // the piece added at the track end, or ""
    } cases[] = {
        {"50pts", 5, 5, true, true, 50, "coins", ""},   {"100pts", 5, 5, true, true, 100, "coins", ""},
        {"speed", 5, 4, true, true, 0, "toot", ""},      {"speed", 1.5f, 0.5f, true, true, 0, "toot", ""},
        {"speed", 1, 1, true, true, 0, "toot", ""},      {"speed", 0.5f, 1, true, true, 0, "toot", ""},
        {"block", 5, 5, true, false, 0, "explode", ""},  {"blocked", 5, 5, true, false, 0, "", ""},
        {"rrecht", 5, 5, true, true, 0, "rail", "rails"}, {"rturn", 5, 5, true, true, 0, "rail", "railscorner"},
        {"lturn", 5, 5, true, true, 0, "rail", "railscorner"}, {"rails", 5, 5, false, false, 0, "", ""},
        {"tree", 5, 5, false, false, 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.speedBefore));
        catalogue.sounds.clear();
        level = EmptyLevel(&catalogue, {Object(c.kind, 2, 2)});
        level->speed = c.speedBefore;
        Bullet b = At(25, 25);
        HitTest(b);
        EXPECT_EQ(b.expired, c.stops);
        EXPECT_EQ(level->objects[0].removed, c.goes);
        EXPECT_EQ(level->speed, c.speedAfter);
        EXPECT_EQ(level->score, c.score);
        EXPECT_EQ(catalogue.sounds.size(), *c.sound ? 1u : 0u);
        if (*c.sound) { EXPECT_TRUE(SoundLookedUp(c.sound)); }
        ASSERT_EQ(level->objects.size(), *c.laid ? 2u : 1u);
        if (*c.laid) { EXPECT_EQ(level->objects[1].name, c.laid); }
        EXPECT_FALSE(level->lost);
    }
}

TEST_F(HitRules, SpheresAreTheModelsAndEveryOverlappedTargetIsHit) {
    // Touching spheres count; the model's own centre offset moves the sphere.
    EXPECT_EQ(SpheresOverlap(Vec3(0, 0, 0), 1.0f, Vec3(3, 0, 0), 2.0f), 1);
    EXPECT_EQ(SpheresOverlap(Vec3(0, 0, 0), 1.0f, Vec3(3.001f, 0, 0), 2.0f), 0);
    level = EmptyLevel(&catalogue, {Object("50pts", 3, 3)});
    catalogue.models["50pts"].boundCentre = Vec3(0, 0, 4);
    Bullet low = At(35, 35, 0), high = At(35, 35, 4);  // low: 4 below the centre, 4 > 2 + 1
    HitTest(low);
    HitTest(high);
    EXPECT_TRUE(!low.expired && high.expired);
    catalogue.models["50pts"].boundCentre = Vec3(0, 0, 0);
    // A blocked tile uses the sphere of "rrecht".
    level = EmptyLevel(&catalogue, {Object("blocked", 4, 4)});
    catalogue.models["rrecht"].boundRadius = 0.5f;
    Bullet miss = At(45, 46.6f), hit = At(45, 46.4f);
    HitTest(miss);
    HitTest(hit);
    EXPECT_TRUE(!miss.expired && hit.expired);

    // Two bullets on one target in one update both count; hit targets are erased after it.
    level = EmptyLevel(&catalogue, {Object("50pts", 3, 3), Object("100pts", 6, 6)});
    level->speed = 1000.0f;
    std::vector<Bullet> bullets{At(35, 35), At(36, 35), At(65, 62)};
    UpdateLevel(*level, bullets, 0.0f);
    EXPECT_EQ(level->score, 200);
    EXPECT_TRUE(bullets.empty() && level->objects.empty() && level->objectCount == 0);

    // Track complete: a builder is used up but lays nothing; the overlapping score counts too.
    std::vector<LevelObject> objects;
    for (int32_t x = 1; x <= 9; ++x) objects.push_back(Object("rails", x, 5));
    objects.push_back(Object("rrecht", 3, 3));
    objects.push_back(Object("50pts", 3, 3));
    level = EmptyLevel(&catalogue, objects);
    ASSERT_TRUE(level->TrackComplete());
    Bullet b = At(35, 35);
    HitTest(b);
    ASSERT_EQ(level->objects.size(), objects.size());
    EXPECT_TRUE(level->objects[9].removed && level->objects[10].removed);
    EXPECT_EQ(level->score, 50);

    // Without a catalogue every sphere is a point.
    level = EmptyLevel(&catalogue, {Object("50pts", 0, 0)});
    Bullet blind(Vec3(5, 5, 0), Vec3(0, 0, 1), 30.0f, level.get(), nullptr, nullptr);
    HitTest(blind);
    EXPECT_TRUE(blind.expired);
}

TEST_F(HitRules, ABuilderWhosePieceHasNowhereToGoLoses) {
    // The next piece would go onto a station's ring.
    level = EmptyLevel(&catalogue, {Object("blocked", 1, 5), Object("lturn", 5, 8)});
    Bullet shot = At(55, 85);
    HitTest(shot);
    EXPECT_TRUE(level->lost);
    EXPECT_EQ(level->objects.size(), 2u);

    // A builder on the very tile the piece goes to counts as free once hit.
    level = EmptyLevel(&catalogue, {Object("rrecht", 1, 5)});
    level->speed = 1000.0f;
    std::vector<Bullet> bullets{At(15, 55)};
    UpdateLevel(*level, bullets, 0.0f);
    EXPECT_FALSE(level->lost);
    ASSERT_EQ(level->objects.size(), 1u);
    EXPECT_EQ(level->objects[0].name, "rails");
    EXPECT_EQ(level->trackEndX, 0);  // the trace met the marked builder first
}

// The tile index against a walk of the whole list: two copies of random levels, one answering
// from the index and one scanning, play the same random shots frame by frame and must stay equal
// in everything the rules touch. Small grids crowd tiles (several objects, stations whose rings
// overlap, objects off the grid), and some models are off-centre or huge.
TEST(RulesProperty, TheTileIndexAnswersAsAWalkOfTheWholeList) {
    std::mt19937 random(12);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const auto real = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random); };
    const char* kinds[] = {"rturn", "lturn", "rrecht", "50pts", "100pts", "speed", "block", "blocked",
                           "rails", "railscorner", "station", "tree"};
    const auto same = [](const Level& a, const Level& b, const std::vector<Bullet>& ba, const std::vector<Bullet>& bb) {
        if (a.objects.size() != b.objects.size() || ba.size() != bb.size()) return false;
        for (size_t i = 0; i < a.objects.size(); ++i) {
            const LevelObject &p = a.objects[i], &q = b.objects[i];
            if (!(p.name == q.name && p.x == q.x && p.y == q.y && p.degrees == q.degrees && p.removed == q.removed)) return false;
        }
        for (size_t i = 0; i < ba.size(); ++i)
            if (!(ba[i].position == bb[i].position && ba[i].expired == bb[i].expired)) return false;
        return a.objectCount == b.objectCount && a.trainX == b.trainX && a.trainY == b.trainY &&
               a.trainHeading == b.trainHeading && a.trackEndX == b.trackEndX && a.trackEndY == b.trackEndY &&
               a.trackEndHeading == b.trackEndHeading && a.score == b.score && a.speed == b.speed && a.lost == b.lost &&
               a.won == b.won;
    };
    int frames = 0;
    for (int round = 0; round < 600; ++round) {
        ResourceCatalogue catalogue{nullptr, nullptr};
        for (const char* name : {"rturn", "lturn", "rrecht", "50pts", "100pts", "speed", "block", "bullet"}) {
            if (pick(0, 9) == 0) continue;  // a model the catalogue never loaded
            Model& m = catalogue.models[name];
            m.boundRadius = pick(0, 30) == 0 ? real(20.0f, 80.0f) : real(0.0f, 6.0f);
            m.boundCentre = Vec3(real(-8, 8), real(-8, 8), real(0, 4));
        }
        const int side = pick(3, 12);
        std::vector<LevelObject> objects;
        for (int n = pick(0, side * side * 2); n > 0; --n)
            objects.push_back(Object(kinds[pick(0, 11)], pick(-1, side), pick(-1, side), 90 * pick(0, 3)));
        std::unique_ptr<Level> levels[2];
        const int finishX = pick(0, side - 1), finishY = pick(0, side - 1);
        const float speed = real(1.0f, 10.0f);
        for (auto& level : levels) {
            level = EmptyLevel(&catalogue);
            level->width = level->height = side;
            level->finishX = finishX, level->finishY = finishY;
            for (const LevelObject& o : objects) {
                level->objects.push_back(o);
                if (o.name == "station") level->AddStationRing(o);
            }
            level->trainX = side / 2, level->trainY = side / 2;
            level->speed = speed;
        }
        levels[1]->scanObjects = true;
        const char heading = "nesw"[pick(0, 3)];
        for (auto& level : levels) level->TraceTrackEnd(level->trainX, level->trainY, heading), level->trainHeading = heading;
        std::vector<Bullet> bullets[2];
        for (int frame = 0; frame < 120 && !levels[0]->lost && !levels[0]->won; ++frame, ++frames) {
            if (pick(0, 2) == 0) {
                const Vec3 at(real(-10.0f, side * 10.0f + 10.0f), real(-10.0f, side * 10.0f + 10.0f), 0.0f);
                for (int k = 0; k < 2; ++k) {
                    const Vec3 start(TileCentre(levels[k]->trainX), TileCentre(levels[k]->trainY), 3.0f);
                    Vec3 direction;
                    Vec3Normalize(&direction, at - start);
                    bullets[k].push_back(Bullet(start, direction, 30.0f, levels[k].get(), &catalogue, nullptr));
                }
            }
            const float dt = real(0.01f, 0.3f);
            UpdateLevel(*levels[0], bullets[0], dt);
            UpdateLevel(*levels[1], bullets[1], dt);
            ASSERT_TRUE(same(*levels[0], *levels[1], bullets[0], bullets[1])) << "round " << round << " frame " << frame;
            // Every tile, so that an index left stale by erasing shows at once.
            for (int x = -2; x <= side + 1; ++x)
                for (int y = -2; y <= side + 1; ++y) {
                    const LevelObject a = levels[0]->ObjectAt(x, y), b = levels[0]->ObjectAtByScan(x, y);
                    ASSERT_TRUE(a.name == b.name && a.removed == b.removed && a.degrees == b.degrees) << x << ", " << y;
                }
        }
    }
    EXPECT_GT(frames, 10000);
}
