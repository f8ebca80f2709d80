#pragma once
#include <cstddef>
#include <cstdint>
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
    // Takes `id` off tile (x, y), where it must be; the cost is the length of that tile's chain.
    void Remove(int32_t x, int32_t y, uint32_t id);
    // The first id on tile (x, y); kNone when the tile has none.
    uint32_t First(int32_t x, int32_t y) const;
    // The id after `id` on the same tile; kNone after the last.
    uint32_t Next(uint32_t id) const { return next_[id]; }
    // The number of ids handed out.
    size_t Size() const { return next_.size(); }

private:
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
