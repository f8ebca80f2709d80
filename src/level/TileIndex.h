#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Tile -> the positions of the objects on it, in increasing order: a hash table of occupied tiles,
// each holding the first and last position of a chain that runs through `next`. Any int32 tile
// can be indexed, on the grid or off it.
class TileIndex {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // Forgets every tile and position (keeping the memory for the next ones).
    void Clear();
    // Makes room for `objects` positions and about as many tiles.
    void Reserve(size_t objects);
    // Adds `position` on tile (x, y); it must be the next position (one past the last added).
    void Append(int32_t x, int32_t y);
    // The first position on tile (x, y); kNone when the tile has none.
    uint32_t First(int32_t x, int32_t y) const;
    // The position after `position` on the same tile; kNone after the last.
    uint32_t Next(uint32_t position) const { return next_[position]; }
    // The number of positions added.
    size_t Size() const { return next_.size(); }

private:
    struct Slot {
        int32_t x = 0, y = 0;
        uint32_t head = kNone;  // kNone marks a free slot
        uint32_t tail = kNone;
    };
    // The slot holding tile (x, y), or the free slot where it would go.
    size_t Find(int32_t x, int32_t y) const;
    void Grow();

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    size_t used_ = 0;
    std::vector<uint32_t> next_;
};
