// Objects indexed many at once (as a level of millions is loaded) against the same objects pushed
// one by one: every tile must list the same objects in the same order, with ids already handed
// out, tiles emptied by erasing and the table's growth in between.
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
};

}  // namespace

TEST(ObjectList, ObjectsAppendedAtOnceAreIndexedAsOneByOne) {
    const Case cases[] = {
        {"a crowded box, past the size where the table is filled in parts", 0, 200000, 0, 99},
        {"a grid with about one object a tile", 0, 100000, 0, 316},
        {"after erasing, tiles emptied and ids in use", 5000, 90000, -20, 20},
        {"the far ends of int32, few enough to go one by one", 10, 500, INT32_MIN, INT32_MAX},
        {"the far ends of int32, many", 10, 70000, INT32_MIN, INT32_MAX},
        {"more than a batch, tiles shared across batches", 0, 600000, 0, 767},
    };
    std::mt19937 random(23);
    for (const Case& c : cases) {
        std::uniform_int_distribution<int32_t> coordinate(c.low, c.high);
        std::vector<LevelObject> earlier(static_cast<size_t>(c.before)), later(static_cast<size_t>(c.count));
        for (auto* objects : {&earlier, &later})
            for (LevelObject& o : *objects) o.x = coordinate(random), o.y = coordinate(random);
        ObjectList one, many;
        for (ObjectList* list : {&one, &many}) {
            for (const LevelObject& o : earlier) list->push_back(o);
            for (size_t i = 0; i < earlier.size(); i += 3) list->MarkRemoved(i);
            list->EraseRemoved();
        }
        for (const LevelObject& o : later) one.push_back(o);
        many.AppendAll([&later](std::vector<LevelObject>& items) { items.insert(items.end(), later.begin(), later.end()); });

        ASSERT_EQ(one.size(), many.size()) << c.what;
        const std::vector<bool> firsts = many.FirstsOnTiles();
        for (size_t i = 0; i < many.size(); ++i) {
            const LevelObject& o = many[i];
            ASSERT_EQ(OnTile(many, o.x, o.y), OnTile(one, o.x, o.y)) << c.what << ", object " << i;
            ASSERT_EQ(firsts[i], one.FirstAt(o.x, o.y) == i) << c.what << ", object " << i;
        }
        EXPECT_TRUE(many.minX() == one.minX() && many.maxY() == one.maxY() && many.names() == one.names()) << c.what;
        // Tiles with nothing on them, among them the ones the erasing emptied.
        for (int k = 0; k < 200; ++k) {
            const int32_t x = coordinate(random), y = coordinate(random);
            EXPECT_EQ(many.FirstAt(x, y), one.FirstAt(x, y)) << c.what << " at " << x << ", " << y;
        }
    }
}

// The table holds the tiles there are, not a tile for every id: room for many objects on few tiles
// takes a small table, and many tiles still find room (the table grows rather than fills up).
TEST(TileIndex, SizesItsTableByTheTilesUsed) {
    struct Case {
        const char* what;
        size_t ids;
        int32_t side;  // the ids fall on a side by side square of tiles
        size_t slots;  // the table the tiles need: at most three quarters full
    };
    const Case cases[] = {
        {"400,000 ids on 90,000 tiles", 400000, 300, 131072},
        {"300,000 ids on as many tiles", 300000, 0, 524288},
        {"few ids, one by one", 1000, 10, 256},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<int32_t, int32_t>> tiles(c.ids);
        for (size_t k = 0; k < c.ids; ++k) {
            const auto i = static_cast<int32_t>(k);
            tiles[k] = c.side > 0 ? std::pair{i % c.side, (i / c.side) % c.side} : std::pair{i, -i};
        }
        TileIndex index;
        index.AppendMany(c.ids, [&tiles](size_t k) {
            struct Tile { int32_t x, y; };
            return Tile{tiles[k].first, tiles[k].second};
        });
        EXPECT_EQ(index.SlotCount(), c.slots) << c.what;
        EXPECT_EQ(index.First(tiles.back().first, tiles.back().second), c.side > 0 ? (c.ids - 1) % (static_cast<size_t>(c.side) * c.side) : c.ids - 1) << c.what;
    }
}
