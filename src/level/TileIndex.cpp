#include "level/TileIndex.h"

#include <algorithm>

#include "platform/ProcessMemory.h"

size_t TileIndex::Hash(int32_t x, int32_t y) {
    // splitmix64's finaliser: neighbouring tiles land far apart.
    uint64_t h = (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebull;
    h ^= h >> 31;
    return static_cast<size_t>(h);
}

int TileIndex::BucketBits() const {
    int bits = 0;
    while ((size_t{1} << bits) < slots_.size()) ++bits;
    return bits;
}

uint32_t TileIndex::PrepareMany(size_t count) {
    const auto first = static_cast<uint32_t>(next_.size());
    Reserve(next_.size() + count);
    // Every new id may start a tile of its own: the table stays at most half full.
    while (2 * (used_ + count) > slots_.size()) Grow();
    next_.resize(next_.size() + count, kNone);
    return first;
}

void TileIndex::Clear() {
    // The table keeps its size: a list that is reindexed after erasing needs about as many slots.
    std::fill(slots_.begin(), slots_.end(), Slot{});
    used_ = 0;
    next_.clear();
}

void TileIndex::Reserve(size_t objects) {
    if (objects > next_.capacity()) {
        next_.reserve(objects);
        AdviseLargeBlock(next_.data(), next_.capacity() * sizeof(uint32_t));
    }
    size_t want = 16;
    while (want < 2 * objects) want *= 2;
    if (want <= slots_.size()) return;
    std::vector<Slot> old;
    old.reserve(want);
    AdviseLargeBlock(old.data(), want * sizeof(Slot));
    old.resize(want);
    old.swap(slots_);
    for (const Slot& s : old)
        if (s.head != kNone) slots_[Find(s.x, s.y)] = s;
}

size_t TileIndex::Find(int32_t x, int32_t y) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = Hash(x, y) & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.head == kNone || (s.x == x && s.y == y)) return i;
    }
}

void TileIndex::Grow() { Reserve(slots_.empty() ? 8 : slots_.size()); }

void TileIndex::Append(int32_t x, int32_t y) {
    if (2 * (used_ + 1) > slots_.size()) Grow();
    const auto position = static_cast<uint32_t>(next_.size());
    next_.push_back(kNone);
    Link(x, y, position);
}

void TileIndex::Link(int32_t x, int32_t y, uint32_t position) {
    Slot& s = slots_[Find(x, y)];
    if (s.head == kNone || s.head == kVacant) {
        if (s.head == kNone) ++used_;
        s.x = x;
        s.y = y;
        s.head = position;
    } else {
        next_[s.tail] = position;
    }
    s.tail = position;
}

void TileIndex::Remove(int32_t x, int32_t y, uint32_t id) {
    if (slots_.empty()) return;
    Slot& s = slots_[Find(x, y)];
    if (s.head == kNone || s.head == kVacant) return;
    uint32_t before = kNone;
    uint32_t p = s.head;
    while (p != kNone && p != id) before = p, p = next_[p];
    if (p == kNone) return;
    if (before == kNone) {
        s.head = next_[id];
    } else {
        next_[before] = next_[id];
    }
    if (s.tail == id) s.tail = before;
    if (s.head == kNone) s.head = kVacant;
    next_[id] = kNone;
}

uint32_t TileIndex::First(int32_t x, int32_t y) const {
    if (slots_.empty()) return kNone;
    const uint32_t head = slots_[Find(x, y)].head;
    return head == kVacant ? kNone : head;
}
