#include "level/TileIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "platform/ProcessMemory.h"

uint64_t TileIndex::Hash(int32_t x, int32_t y) {
    // splitmix64's finaliser: neighbouring tiles land far apart.
    uint64_t h = (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebull;
    h ^= h >> 31;
    return h;
}

TileIndex::TileCounter::TileCounter(size_t count) {
    const size_t bits = std::bit_ceil(std::max<size_t>(4 * count, 64));
    bits_.assign(bits / 64, 0);
    mask_ = bits - 1;
}

size_t TileIndex::TileCounter::Estimate() const {
    size_t set = 0;
    for (uint64_t word : bits_) set += static_cast<size_t>(std::popcount(word));
    const auto bits = static_cast<double>(mask_ + 1);
    const auto clear = static_cast<double>(mask_ + 1 - set);
    // With n distinct hashes a bit stays clear with probability exp(-n / bits). The margin covers
    // the estimate's spread many times over; a table that still fills up grows, as always.
    return static_cast<size_t>(bits * std::log(bits / clear) * 1.01) + 64;
}

uint32_t TileIndex::PrepareMany(size_t count) {
    const auto first = static_cast<uint32_t>(next_.size());
    Reserve(next_.size() + count);
    next_.resize(next_.size() + count, kNone);
    return first;
}

void TileIndex::Clear() {
    // The table keeps its size: a list that is reindexed after erasing needs about as many slots.
    std::fill(slots_.begin(), slots_.end(), Slot{});
    used_ = 0;
    next_.clear();
    box_.clear();
    boxWidth_ = boxHeight_ = 0;
}

bool TileIndex::MakeBox(const Bounds& bounds, size_t ids) {
    if (bounds.minX > bounds.maxX) return false;
    const auto width = static_cast<uint64_t>(bounds.maxX - bounds.minX + 1);
    const auto height = static_cast<uint64_t>(bounds.maxY - bounds.minY + 1);
    // Each side is checked first, so the product cannot overflow.
    if (width > kBoxTilesPerId * ids || height > kBoxTilesPerId * ids || width * height > kBoxTilesPerId * ids)
        return false;
    // Its ids land all over it: 2 MiB pages keep the address cache's misses down (on the large
    // level 0.05 s less user time than ordinary pages).
    // At most twice the ids, which fit in memory already, so the count fits a size_t.
    const auto tiles = static_cast<size_t>(width * height);
    box_.reserve(tiles);
    AdviseLargeBlock(box_.data(), tiles * sizeof(uint32_t));
    {
        const FreshPagesAhead ahead{{box_.data(), tiles * sizeof(uint32_t), FreshBlock::Writing::kInOneSweep}};
        box_.assign(tiles, kNone);
    }
    boxX_ = static_cast<int32_t>(bounds.minX);
    boxY_ = static_cast<int32_t>(bounds.minY);
    boxWidth_ = static_cast<uint32_t>(width);
    boxHeight_ = static_cast<uint32_t>(height);
    return true;
}

void TileIndex::Reserve(size_t objects) {
    if (objects > next_.capacity()) {
        next_.reserve(objects);
        AdviseLargeBlock(next_.data(), next_.capacity() * sizeof(uint32_t));
    }
}

FreshBlock TileIndex::RoomForIds() const {
    return FreshBlock{next_.data() + next_.size(), (next_.capacity() - next_.size()) * sizeof(uint32_t)};
}

void TileIndex::ReserveTiles(size_t tiles) {
    size_t want = 16;
    while (3 * want < 4 * tiles) want *= 2;
    if (want <= slots_.size()) return;
    std::vector<Slot> old;
    old.reserve(want);
    AdviseLargeBlock(old.data(), want * sizeof(Slot));
    old.resize(want);
    old.swap(slots_);
    shift_ = 64 - std::countr_zero(want);
    for (const Slot& s : old)
        if (s.head != kNone) slots_[Find(s.x, s.y)] = s;
}

size_t TileIndex::FindFrom(size_t home, int32_t x, int32_t y) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = home;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.head == kNone || (s.x == x && s.y == y)) return i;
    }
}

void TileIndex::Grow() { ReserveTiles(slots_.empty() ? 8 : slots_.size()); }

void TileIndex::Append(int32_t x, int32_t y) {
    const auto position = static_cast<uint32_t>(next_.size());
    next_.push_back(kNone);
    Link(x, y, position);
}

void TileIndex::Link(int32_t x, int32_t y, uint32_t id) {
    const size_t inBox = BoxAt(x, y);
    if (inBox != kOutside) {
        LinkInBox(inBox, id);
    } else {
        LinkInTable(x, y, id);
    }
}

void TileIndex::LinkInTable(size_t home, int32_t x, int32_t y, uint32_t position) {
    size_t at = slots_.empty() ? 0 : FindFrom(home, x, y);
    if (slots_.empty() || (slots_[at].head == kNone && Full())) {
        Grow();
        at = Find(x, y);
    }
    Slot& s = slots_[at];
    if (s.head == kNone) {
        ++used_;
        s.x = x;
        s.y = y;
    }
    LinkInChain(s, position);
}

bool TileIndex::UnlinkFromChain(Chain& chain, uint32_t id) {
    if (chain.head == kNone || chain.head == kVacant) return false;
    uint32_t before = kNone;
    uint32_t p = chain.head;
    while (p != kNone && p != id) before = p, p = next_[p];
    if (p == kNone) return false;
    if (before == kNone) {
        chain.head = next_[id];
    } else {
        next_[before] = next_[id];
    }
    if (chain.tail == id) chain.tail = before;
    next_[id] = kNone;
    return true;
}

void TileIndex::LinkInBox(size_t tile, uint32_t id) {
    if (box_[tile] == kNone) {
        box_[tile] = id;
        return;
    }
    uint32_t last = box_[tile];
    while (next_[last] != kNone) last = next_[last];
    next_[last] = id;
}

void TileIndex::UnlinkFromBox(size_t tile, uint32_t id) {
    uint32_t* link = &box_[tile];
    while (*link != kNone && *link != id) link = &next_[*link];
    if (*link == kNone) return;
    *link = next_[id];
    next_[id] = kNone;
}

std::vector<uint32_t> TileIndex::BoxTails() const {
    std::vector<uint32_t> tails(box_.size(), kNone);
    for (size_t tile = 0; tile < box_.size(); ++tile)
        for (uint32_t id = box_[tile]; id != kNone; id = next_[id]) tails[tile] = id;
    return tails;
}

void TileIndex::Remove(int32_t x, int32_t y, uint32_t id) {
    const size_t inBox = BoxAt(x, y);
    if (inBox != kOutside) {
        UnlinkFromBox(inBox, id);
        return;
    }
    if (slots_.empty()) return;
    Slot& s = slots_[Find(x, y)];
    if (UnlinkFromChain(s, id) && s.head == kNone) s.head = kVacant;
}

uint32_t TileIndex::First(int32_t x, int32_t y) const {
    const size_t inBox = BoxAt(x, y);
    if (inBox != kOutside) return box_[inBox];
    if (slots_.empty()) return kNone;
    const uint32_t head = slots_[Find(x, y)].head;
    return head == kVacant ? kNone : head;
}
