#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
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
    // Lets `fill` append objects straight to the list's vector (and only append), then indexes
    // them all at once: the same list and index as pushing them one by one, built several times
    // faster for millions of objects. The list is whole again when fill returns, however it returns.
    void AppendAll(const std::function<void(std::vector<LevelObject>&)>& fill);
    // Empties the list.
    void clear();
    // Makes room for `count` objects.
    void reserve(size_t count);
    // Sets `removed` on object i; it keeps its place (and answers for its tile) until EraseRemoved.
    void MarkRemoved(size_t i);
    // Erases every object marked removed, keeping the order of the rest; the number erased. The
    // index forgets just the erased objects (the list itself closes up from the first of them).
    size_t EraseRemoved();

    // Names the list's content: it changes with every change of the list, and no two lists share
    // one unless one is a copy of the other (or both are empty and new). For drawing kept pictures.
    uint64_t revision() const { return revision_; }

    // The tiles every object ever held lies within (empty while min > max); kept across erasing.
    int32_t minX() const { return minX_; }
    int32_t maxX() const { return maxX_; }
    int32_t minY() const { return minY_; }
    int32_t maxY() const { return maxY_; }
    // The largest |scale| of any object ever held; kept across erasing.
    float maxScale() const { return maxScale_; }
    // The distinct names of the objects ever held, in the order first seen; kept across erasing.
    const std::vector<ObjectName>& names() const { return names_; }

    // The position of the first object on tile (x, y) in list order; npos when the tile is empty.
    size_t FirstAt(int32_t x, int32_t y) const;
    // For each object in list order, whether it is the first on its tile (FirstAt gives its
    // position): read from the index in one pass.
    std::vector<bool> FirstsOnTiles() const;
    // Calls visit(position) for every object on tile (x, y), in list order.
    template <class Visit>
    void ForEachOnTile(int32_t x, int32_t y, Visit visit) const {
        for (uint32_t id = index_.First(x, y); id != TileIndex::kNone; id = index_.Next(id)) visit(PositionOf(id));
    }

private:
    // Takes a new revision, one no list has had before.
    void Changed();
    void Reindex();
    // Indexes and notes the objects from position `first` on, which the index does not hold yet.
    void IndexFrom(size_t first);
    void Note(const LevelObject& object);
    // The list position of index id `id`, and back: ids count every object appended since the
    // last reindex, positions only those still in the list.
    size_t PositionOf(uint32_t id) const;
    uint32_t IdOf(size_t position) const;

    std::vector<LevelObject> items_;
    uint64_t revision_ = 0;
    TileIndex index_;
    std::vector<uint32_t> marked_;  // ids marked removed and not yet erased (a repeat when marked twice)
    std::vector<uint32_t> erased_;  // ids erased since the last reindex, in increasing order
    int32_t minX_ = INT32_MAX, maxX_ = INT32_MIN, minY_ = INT32_MAX, maxY_ = INT32_MIN;
    float maxScale_ = 0.0f;
    std::vector<ObjectName> names_;
    std::vector<bool> named_;  // by name handle: in names_
};
