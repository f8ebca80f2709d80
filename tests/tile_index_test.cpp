// Objects indexed many at once (as a level of millions is loaded) against the same objects pushed
// one by one: every tile must list the same objects in the same order, with ids already handed
// out, tiles emptied by erasing and the table's growth in between, and after objects are added and
// erased again (in the box of close tiles, and beside it) and a second batch is added at once.
#include <gtest/gtest.h>

#include <random>

#include "level/ObjectList.h"
#include "level/TileIndex.h"

namespace {

// The positions on tile (x, y) in the order the list gives them.
std::vector<size_t> OnTile(const ObjectList& list, int32_t x, int32_t y) {
    std::vector<size_t> positions;
    list.ForEachOnTile(x, y, [&positions](size_t p) { positions.push_back(p); });
    return positions;
}

struct Case {
    const char* what;
    int before;     // objects pushed one by one first (some of them then erased)
    int count;      // objects appended at once
    int32_t low, high;  // the tiles' coordinates
    int32_t step;       // ... multiples of which they are
};

// The coordinate `by` tiles from `at`, wrapping round at the ends of int32 (every int32 is a tile).
int32_t Beside(int32_t at, int32_t by) { return static_cast<int32_t>(static_cast<uint32_t>(at) + static_cast<uint32_t>(by)); }

}  // namespace

TEST(ObjectList, ObjectsAppendedAtOnceAreIndexedAsOneByOne) {
    const Case cases[] = {
        {"a crowded box", 0, 200000, 0, 99, 1},
        {"a grid with about one object a tile", 0, 100000, 0, 316, 1},
        {"a grid with about one object a tile, off the origin", 0, 100000, -1000, -684, 1},
        {"after erasing, tiles emptied and ids in use", 5000, 90000, -20, 20, 1},
        {"the far ends of int32, few enough to go one by one", 10, 500, INT32_MIN, INT32_MAX, 1},
        {"the far ends of int32, many", 10, 70000, INT32_MIN, INT32_MAX, 1},
        {"more than a batch, tiles shared across batches", 0, 600000, 0, 767, 1},
        {"more than a batch on spread tiles, shared across batches", 0, 600000, 0, 767 * 9, 9},
    };
    std::mt19937 random(23);
    for (const Case& c : cases) {
        std::uniform_int_distribution<int32_t> coordinate(c.low / c.step, c.high / c.step);
        std::vector<LevelObject> earlier(static_cast<size_t>(c.before)), later(static_cast<size_t>(c.count));
        for (auto* objects : {&earlier, &later})
            for (LevelObject& o : *objects) o.x = c.step * coordinate(random), o.y = c.step * coordinate(random);
        ObjectList one, many;
        for (ObjectList* list : {&one, &many}) {
            for (const LevelObject& o : earlier) list->push_back(o);
            for (size_t i = 0; i < earlier.size(); i += 3) list->MarkRemoved(i);
            list->EraseRemoved();
        }
        for (const LevelObject& o : later) one.push_back(o);
        many.AppendAll([&later](std::vector<LevelObject>& items) { items.insert(items.end(), later.begin(), later.end()); });
        // Then a few more one by one, inside the tiles used and just beside them, and a fifth of
        // the list erased (some tiles emptied, then laid on again), then a third.
        std::uniform_int_distribution<int32_t> near(-2, 2);
        std::vector<LevelObject> more(3000);
        for (size_t i = 0; i < more.size(); ++i) {
            const LevelObject& o = later[i * 7 % later.size()];
            more[i].x = Beside(o.x, i % 2 == 0 ? 0 : near(random)), more[i].y = Beside(o.y, i % 3 == 0 ? 0 : near(random));
            if (i % 5 == 0) more[i].x = Beside(c.low, c.step * near(random)), more[i].y = Beside(c.high, -near(random));
        }
        const auto expectSame = [&](const char* when) {
            ASSERT_EQ(one.size(), many.size()) << c.what << when;
            const std::vector<bool> firsts = many.FirstsOnTiles();
            for (size_t i = 0; i < many.size(); ++i) {
                const LevelObject& o = many[i];
                ASSERT_EQ(OnTile(many, o.x, o.y), OnTile(one, o.x, o.y)) << c.what << when << ", object " << i;
                ASSERT_EQ(firsts[i], one.FirstAt(o.x, o.y) == i) << c.what << when << ", object " << i;
            }
            EXPECT_TRUE(many.minX() == one.minX() && many.maxY() == one.maxY() && many.names() == one.names()) << c.what;
            // Tiles with nothing on them, among them the ones the erasing emptied.
            for (int k = 0; k < 200; ++k) {
                const int32_t x = Beside(c.step * coordinate(random), near(random)), y = c.step * coordinate(random);
                EXPECT_EQ(many.FirstAt(x, y), one.FirstAt(x, y)) << c.what << when << " at " << x << ", " << y;
            }
        };
        expectSame("");
        for (ObjectList* list : {&one, &many}) {
            for (size_t i = 0; i < more.size() / 2; ++i) list->push_back(more[i]);
            for (size_t i = 0; i < list->size(); i += 5) list->MarkRemoved(i);
            list->EraseRemoved();
            for (size_t i = more.size() / 2; i < more.size(); ++i) list->push_back(more[i]);
        }
        expectSame(", then edited");
        // A second batch at once on the same tiles adds to the box the first one made.
        std::vector<LevelObject> again(70000);
        for (size_t i = 0; i < again.size(); ++i) again[i] = later[i * 13 % later.size()];
        for (const LevelObject& o : again) one.push_back(o);
        many.AppendAll([&again](std::vector<LevelObject>& items) { items.insert(items.end(), again.begin(), again.end()); });
        expectSame(", then given a second batch");
        // A third erased at once renumbers the whole list.
        for (ObjectList* list : {&one, &many}) {
            for (size_t i = 1; i < list->size(); i += 3) list->MarkRemoved(i);
            list->EraseRemoved();
        }
        expectSame(", then renumbered");
        for (ObjectList* list : {&one, &many}) {
            list->clear();
            for (const LevelObject& o : more) list->push_back(o);
        }
        expectSame(", then emptied and filled one by one");
    }
}

// The index holds the tiles there are, not a tile for every id: room for many objects on few tiles
// takes a small table, and many tiles still find room (the table grows rather than fills up). Many
// ids at once on close tiles take a box of their rectangle instead, but only when it is no larger
// than two tiles an id.
TEST(TileIndex, SizesItsTableByTheTilesUsed) {
    struct Case {
        const char* what;
        size_t ids;
        int32_t side;     // the ids fall on a square of side by side tiles
        int32_t spacing;  // ... this far apart
        size_t slots;     // the table the tiles need: at most three quarters full
        size_t box;       // the tiles of the box
    };
    const Case cases[] = {
        {"400,000 ids on 90,000 close tiles", 400000, 300, 1, 0, 90000},
        {"400,000 ids on 90,000 tiles far apart", 400000, 300, 3, 131072, 0},
        {"100,000 ids on a box of twice as many tiles", 100000, 447, 1, 0, 199809},
        {"100,000 ids on a box of a little more than twice as many", 100000, 448, 1, 262144, 0},
        {"300,000 ids on as many tiles on a diagonal", 300000, 0, 1, 524288, 0},
        {"few ids, one by one", 1000, 10, 1, 256, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<int32_t, int32_t>> tiles(c.ids);
        for (size_t k = 0; k < c.ids; ++k) {
            const auto i = static_cast<int32_t>(k);
            tiles[k] = c.side > 0 ? std::pair{c.spacing * (i % c.side), c.spacing * ((i / c.side) % c.side)} : std::pair{i, -i};
        }
        // The last tile of the square is used even where the ids run out before it.
        tiles.back() = {c.spacing * (c.side - 1), c.spacing * (c.side - 1)};
        TileIndex index;
        index.AppendMany(c.ids, [&tiles](size_t k) {
            struct Tile { int32_t x, y; };
            return Tile{tiles[k].first, tiles[k].second};
        });
        EXPECT_EQ(index.SlotCount(), c.slots) << c.what;
        EXPECT_EQ(index.BoxTileCount(), c.box) << c.what;
    }
}
