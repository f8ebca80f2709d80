#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Tile -> the ids of the objects on it, in increasing order: a hash table of occupied tiles, each
// holding the first and last id of a chain that runs through `next`. Ids are handed out in
// increasing order and never reused until Clear. Any int32 tile can be indexed, on the grid or
// off it.
class TileIndex {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // Forgets every tile and position (keeping the memory for the next ones).
    void Clear();
    // Makes room for `objects` positions and about as many tiles.
    void Reserve(size_t objects);
    // Adds the next id (one past the last handed out) on tile (x, y).
    void Append(int32_t x, int32_t y);
    // Adds the next `count` ids, the k-th on tile tileOf(k) (anything with .x and .y), as `count`
    // Appends in order would. Many at once are laid into the table in its own order, a part of it
    // at a time, so each lookup stays within what the processor's caches hold: for millions of
    // ids that is several times faster than one by one, where every lookup misses them.
    template <class TileOf>
    void AppendMany(size_t count, TileOf tileOf) {
        if (count < kManyAtOnce) {
            for (size_t k = 0; k < count; ++k) {
                const auto& tile = tileOf(k);
                Append(tile.x, tile.y);
            }
            return;
        }
        const uint32_t first = PrepareMany(count);
        const int shift = BucketShift();
        std::vector<uint32_t> starts(slots_.size() >> shift, 0);
        for (size_t k = 0; k < count; ++k) {
            const auto& tile = tileOf(k);
            ++starts[(Hash(tile.x, tile.y) & (slots_.size() - 1)) >> shift];
        }
        uint32_t sum = 0;
        for (uint32_t& start : starts) sum += std::exchange(start, sum);
        std::vector<Pending> sorted(count);
        for (size_t k = 0; k < count; ++k) {
            const auto& tile = tileOf(k);
            sorted[starts[(Hash(tile.x, tile.y) & (slots_.size() - 1)) >> shift]++] =
                Pending{tile.x, tile.y, first + static_cast<uint32_t>(k)};
        }
        for (const Pending& p : sorted) Link(p.x, p.y, p.id);
    }
    // Takes `id` off tile (x, y), where it must be; the cost is the length of that tile's chain.
    void Remove(int32_t x, int32_t y, uint32_t id);
    // The first id on tile (x, y); kNone when the tile has none.
    uint32_t First(int32_t x, int32_t y) const;
    // The id after `id` on the same tile; kNone after the last.
    uint32_t Next(uint32_t id) const { return next_[id]; }
    // Calls visit(id) with the first id of every tile that has one, in the table's order (which
    // reads the table once from end to end).
    template <class Visit>
    void ForEachFirst(Visit visit) const {
        for (const Slot& s : slots_)
            if (s.head != kNone && s.head != kVacant) visit(s.head);
    }
    // The number of ids handed out.
    size_t Size() const { return next_.size(); }

private:
    static constexpr size_t kManyAtOnce = 65536;
    struct Pending {
        int32_t x, y;
        uint32_t id;
    };
    static size_t Hash(int32_t x, int32_t y);
    // Room for `count` more ids and as many more tiles; the first new id (next_ holds them all).
    uint32_t PrepareMany(size_t count);
    // log2 of the table's size, and the shift that takes a slot to its part of the table (parts of
    // 2,048 slots, 32 KiB).
    int BucketBits() const;
    int BucketShift() const { return BucketBits() > 11 ? 11 : BucketBits(); }
    // Puts the id, already counted in next_, at the end of tile (x, y)'s chain.
    void Link(int32_t x, int32_t y, uint32_t id);

    struct Slot {
        int32_t x = 0, y = 0;
        uint32_t head = kNone;  // kNone marks a free slot, kVacant a tile whose objects were all removed
        uint32_t tail = kNone;
    };
    // A vacated tile keeps its slot, so the probe chains through it stay whole.
    static constexpr uint32_t kVacant = UINT32_MAX - 1;
    // The slot holding tile (x, y), or the free slot where it would go.
    size_t Find(int32_t x, int32_t y) const;
    void Grow();

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    size_t used_ = 0;
    std::vector<uint32_t> next_;
};
