#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

struct FreshBlock;

// Tile -> the ids of the objects on it, in increasing order: for each occupied tile the first id of
// a chain that runs through `next`. Ids are handed out in increasing order and never reused until
// Clear. Any int32 tile can be indexed, on the grid or off it: a hash table holds the tiles (with
// the last id of each chain too), except when millions of ids come at once on close tiles, as a
// large level is loaded, whose rectangle is then kept as a plain array of first ids (the box), the
// hash table holding any tile outside it. An id appended alone to a tile of the box walks that
// tile's chain to its end.
class TileIndex {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // Forgets every tile and position (keeping the memory for the next ones).
    void Clear();
    // Makes room for `objects` positions (the table grows with the tiles they fall on).
    void Reserve(size_t objects);
    // The memory reserved for ids not handed out yet.
    FreshBlock RoomForIds() const;
    // Makes room for `tiles` tiles in all without growing the table.
    void ReserveTiles(size_t tiles);
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
        // An index filled from empty whose tiles lie close together keeps them in a box, a plain
        // array with a chain for each tile of their bounding rectangle: no hashing and no probing.
        if (first == 0) {
            Bounds bounds;
            for (size_t k = 0; k < count; ++k) {
                const auto& tile = tileOf(k);
                bounds.Add(tile.x, tile.y);
            }
            if (MakeBox(bounds, count)) {
                // Linked from the last id back to the first, each put in front of its tile's chain,
                // so that every chain runs in increasing order with no last id to keep. The tiles
                // a few ids ahead are asked for early, so the writes wait less on memory.
                constexpr size_t kAhead = 16;
                for (size_t k = count; k-- > 0;) {
                    if (k >= kAhead) {
                        const auto& ahead = tileOf(k - kAhead);
                        __builtin_prefetch(&box_[BoxAt(ahead.x, ahead.y)]);
                    }
                    const auto& tile = tileOf(k);
                    uint32_t& head = box_[BoxAt(tile.x, tile.y)];
                    next_[k] = head;
                    head = static_cast<uint32_t>(k);
                }
                return;
            }
        }
        // Otherwise the tiles go to the hash table; those inside a box made earlier stay there.
        // A tile's slot is given by the top bits of its hash, so the parts of the table are ranges
        // of hashes whatever size the table takes. The table is sized for the tiles there are (an
        // estimate), not for one tile an id.
        TileCounter tiles(count);
        for (size_t k = 0; k < count; ++k) {
            const auto& tile = tileOf(k);
            if (BoxAt(tile.x, tile.y) == kOutside) tiles.Add(Hash(tile.x, tile.y));
        }
        ReserveTiles(used_ + tiles.Estimate());
        // The ids are then laid in a batch at a time, each batch sorted by the part of the table its
        // tiles fall in, so that its lookups sweep the table from end to end once instead of
        // missing the caches at every one; the batch's buffer is reused, and small enough to stay
        // in the caches itself.
        const int partShift = shift_ + kPartSlotBits < 64 ? shift_ + kPartSlotBits : 63;
        std::vector<uint32_t> starts((size_t{1} << (64 - partShift)) + 1);
        const size_t batch = std::min(count, kBatch);
        // Every element is written before it is read: the block is not cleared first.
        const std::unique_ptr<Pending[]> sorted(new Pending[batch]);
        std::vector<uint32_t> boxTails = BoxTails();
        for (size_t from = 0; from < count; from += batch) {
            const size_t to = std::min(count, from + batch);
            std::fill(starts.begin(), starts.end(), 0);
            for (size_t k = from; k < to; ++k) {
                const auto& tile = tileOf(k);
                const size_t inBox = BoxAt(tile.x, tile.y);
                if (inBox != kOutside) {
                    const uint32_t id = first + static_cast<uint32_t>(k);
                    uint32_t& tail = boxTails[inBox];
                    (tail == kNone ? box_[inBox] : next_[tail]) = id;
                    tail = id;
                    continue;
                }
                ++starts[Hash(tile.x, tile.y) >> partShift];
            }
            uint32_t sum = 0;
            for (uint32_t& start : starts) sum += std::exchange(start, sum);
            for (size_t k = from; k < to; ++k) {
                const auto& tile = tileOf(k);
                if (BoxAt(tile.x, tile.y) != kOutside) continue;
                const uint64_t hash = Hash(tile.x, tile.y);
                sorted[starts[hash >> partShift]++] =
                    Pending{tile.x, tile.y, first + static_cast<uint32_t>(k), static_cast<uint32_t>(Home(hash))};
            }
            // The slots a few lookups ahead are asked for early, so the sweep waits less on memory.
            // A table that grew after all (the estimate fell short) has moved every tile: the
            // rest of the batch then finds its slots afresh.
            constexpr size_t kAhead = 16;
            const size_t size = slots_.size();
            const size_t pending = starts.back();
            for (size_t k = 0; k < pending; ++k) {
                const Pending& p = sorted[k];
                if (slots_.size() != size) {
                    LinkInTable(p.x, p.y, p.id);
                    continue;
                }
                if (k + kAhead < pending) __builtin_prefetch(&slots_[sorted[k + kAhead].home]);
                LinkInTable(p.home, p.x, p.y, p.id);
            }
        }
    }
    // Takes `id` off tile (x, y), where it must be; the cost is the length of that tile's chain.
    void Remove(int32_t x, int32_t y, uint32_t id);
    // The first id on tile (x, y); kNone when the tile has none.
    uint32_t First(int32_t x, int32_t y) const;
    // The id after `id` on the same tile; kNone after the last.
    uint32_t Next(uint32_t id) const { return next_[id]; }
    // Calls visit(id) with the first id of every tile that has one, in the index's own order (which
    // reads its memory once from end to end).
    template <class Visit>
    void ForEachFirst(Visit visit) const {
        for (const uint32_t head : box_)
            if (head != kNone) visit(head);
        for (const Slot& s : slots_)
            if (s.head != kNone && s.head != kVacant) visit(s.head);
    }
    // The number of slots in the hash table (for its tests: at most three quarters of them hold tiles).
    size_t SlotCount() const { return slots_.size(); }
    // The number of tiles in the box (for its tests: zero when there is none).
    size_t BoxTileCount() const { return box_.size(); }
    // The number of ids handed out.
    size_t Size() const { return next_.size(); }

private:
    static constexpr size_t kManyAtOnce = 65536;
    static constexpr size_t kBatch = size_t{1} << 19;
    static constexpr int kPartSlotBits = 11;  // parts of 2,048 slots, 32 KiB
    struct Pending {
        int32_t x, y;
        uint32_t id;
        uint32_t home;  // Home(Hash(x, y)): tables stay far below 2^32 slots, as ids are 32-bit
    };
    static uint64_t Hash(int32_t x, int32_t y);
    // Room for `count` more ids; the first new id (next_ holds them all).
    uint32_t PrepareMany(size_t count);
    // Estimates how many distinct hashes it is given (linear counting over a bitmap of about four
    // bits an id: within a few tenths of a percent for any number of distinct tiles).
    class TileCounter {
    public:
        explicit TileCounter(size_t count);
        void Add(uint64_t hash) { bits_[(hash & mask_) >> 6] |= uint64_t{1} << (hash & 63); }
        // An estimate a little above the true number, never below it by more than chance allows.
        size_t Estimate() const;

    private:
        std::vector<uint64_t> bits_;
        uint64_t mask_;
    };
    // The first and last id on a tile of the hash table; head is kNone when it has none.
    struct Chain {
        uint32_t head = kNone;  // in the hash table, kNone marks a free slot, kVacant a tile emptied
        uint32_t tail = kNone;
    };
    struct Slot : Chain {
        int32_t x = 0, y = 0;
    };
    // Puts the id, already counted in next_, at the end of the chain.
    void LinkInChain(Chain& chain, uint32_t id) {
        if (chain.head == kNone || chain.head == kVacant) {
            chain.head = id;
        } else {
            next_[chain.tail] = id;
        }
        chain.tail = id;
    }
    // Takes `id` out of the chain; false when it is not there.
    bool UnlinkFromChain(Chain& chain, uint32_t id);
    // Puts the id, already counted in next_, at the end of the chain of the box's tile `tile`.
    void LinkInBox(size_t tile, uint32_t id);
    // Takes `id` out of the chain of the box's tile `tile`, where it must be.
    void UnlinkFromBox(size_t tile, uint32_t id);
    // The last id on each tile of the box (empty when there is none), for a batch that adds to it.
    std::vector<uint32_t> BoxTails() const;
    // Puts the id, already counted in next_, at the end of tile (x, y)'s chain, wherever it is kept.
    void Link(int32_t x, int32_t y, uint32_t id);
    // The same for a tile outside the box, kept in the hash table.
    void LinkInTable(int32_t x, int32_t y, uint32_t id) { LinkInTable(slots_.empty() ? 0 : Home(Hash(x, y)), x, y, id); }
    // The same, given the slot where (x, y)'s probe starts in the table as it is.
    void LinkInTable(size_t home, int32_t x, int32_t y, uint32_t id);

    // The smallest rectangle of tiles holding every tile added to it.
    struct Bounds {
        int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
        void Add(int32_t x, int32_t y) {
            minX = std::min<int64_t>(minX, x), maxX = std::max<int64_t>(maxX, x);
            minY = std::min<int64_t>(minY, y), maxY = std::max<int64_t>(maxY, y);
        }
    };
    // Makes the box of `bounds` when it holds at most kBoxTilesPerId tiles for each of `ids`: then
    // it takes less memory than the hash table would. True when it did.
    bool MakeBox(const Bounds& bounds, size_t ids);
    static constexpr size_t kOutside = SIZE_MAX;
    static constexpr size_t kBoxTilesPerId = 2;
    // Where tile (x, y) is in the box, row by row; kOutside when it is not in it (or there is none).
    size_t BoxAt(int32_t x, int32_t y) const {
        const uint32_t column = static_cast<uint32_t>(x) - static_cast<uint32_t>(boxX_);
        const uint32_t row = static_cast<uint32_t>(y) - static_cast<uint32_t>(boxY_);
        return column < boxWidth_ && row < boxHeight_ ? size_t{row} * boxWidth_ + column : kOutside;
    }

    // A vacated tile keeps its slot, so the probe chains through it stay whole.
    static constexpr uint32_t kVacant = UINT32_MAX - 1;
    // The slot holding tile (x, y), or the free slot where it would go.
    size_t Find(int32_t x, int32_t y) const { return FindFrom(Home(Hash(x, y)), x, y); }
    // The same, from the slot where (x, y)'s probe starts.
    size_t FindFrom(size_t home, int32_t x, int32_t y) const;
    void Grow();

    // The slot where a hash starts its probe: its top bits.
    size_t Home(uint64_t hash) const { return static_cast<size_t>(hash >> shift_); }
    // True when one more tile would fill the table beyond three quarters.
    bool Full() const { return 4 * (used_ + 1) > 3 * slots_.size(); }

    std::vector<uint32_t> box_;  // the first ids of boxWidth_ * boxHeight_ tiles from (boxX_, boxY_), row by row
    int32_t boxX_ = 0, boxY_ = 0;
    uint32_t boxWidth_ = 0, boxHeight_ = 0;
    std::vector<Slot> slots_;  // a power of two in size, at most three quarters full
    int shift_ = 64;           // 64 - log2(slots_.size())
    size_t used_ = 0;
    std::vector<uint32_t> next_;
};
