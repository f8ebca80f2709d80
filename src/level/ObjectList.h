#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "level/LevelObject.h"
#include "level/TileIndex.h"

// The objects of a level in list order, with a tile index kept in step with every change. Objects
// are read freely; they change only through the operations below (appending, marking removed,
// erasing the marked ones, replacing the whole list), so the index can never drift from the list.
class ObjectList {
public:
    static constexpr size_t npos = SIZE_MAX;

    ObjectList() = default;
    ObjectList(std::vector<LevelObject> objects);  // NOLINT: a plain list converts implicitly
    ObjectList(std::initializer_list<LevelObject> objects) : ObjectList(std::vector<LevelObject>(objects)) {}
    // Replaces the whole list and rebuilds the index.
    ObjectList& operator=(std::vector<LevelObject> objects);
    ObjectList& operator=(std::initializer_list<LevelObject> objects) { return *this = std::vector<LevelObject>(objects); }

    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const LevelObject& operator[](size_t i) const { return items_[i]; }
    const LevelObject& back() const { return items_.back(); }
    std::vector<LevelObject>::const_iterator begin() const { return items_.begin(); }
    std::vector<LevelObject>::const_iterator end() const { return items_.end(); }
    const std::vector<LevelObject>& items() const { return items_; }
    operator const std::vector<LevelObject>&() const { return items_; }  // NOLINT

    // Appends one object at the end of the list and of its tile.
    void push_back(const LevelObject& object);
    // Empties the list.
    void clear();
    // Makes room for `count` objects.
    void reserve(size_t count);
    // Sets `removed` on object i; it keeps its place (and answers for its tile) until EraseRemoved.
    void MarkRemoved(size_t i);
    // Erases every object marked removed, keeping the order of the rest; the number erased.
    size_t EraseRemoved();

    // The position of the first object on tile (x, y) in list order; npos when the tile is empty.
    size_t FirstAt(int32_t x, int32_t y) const;
    // Calls visit(position) for every object on tile (x, y), in list order.
    template <class Visit>
    void ForEachOnTile(int32_t x, int32_t y, Visit visit) const {
        for (uint32_t p = index_.First(x, y); p != TileIndex::kNone; p = index_.Next(p)) visit(static_cast<size_t>(p));
    }

private:
    void Reindex();

    std::vector<LevelObject> items_;
    TileIndex index_;
    size_t marked_ = 0;  // objects marked removed and not yet erased (an upper bound when marked twice)
};
