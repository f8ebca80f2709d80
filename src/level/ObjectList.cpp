#include "level/ObjectList.h"

#include <algorithm>

ObjectList::ObjectList(std::vector<LevelObject> objects) : items_(std::move(objects)) { Reindex(); }

ObjectList& ObjectList::operator=(std::vector<LevelObject> objects) {
    items_ = std::move(objects);
    Reindex();
    return *this;
}

void ObjectList::Reindex() {
    index_.Clear();
    index_.Reserve(items_.size());
    marked_ = 0;
    for (const LevelObject& o : items_) {
        index_.Append(o.x, o.y);
        if (o.removed) ++marked_;
    }
}

void ObjectList::push_back(const LevelObject& object) {
    items_.push_back(object);
    index_.Append(object.x, object.y);
    if (object.removed) ++marked_;
}

void ObjectList::clear() {
    items_.clear();
    index_.Clear();
    marked_ = 0;
}

void ObjectList::reserve(size_t count) {
    items_.reserve(count);
    index_.Reserve(count);
}

void ObjectList::MarkRemoved(size_t i) {
    items_[i].removed = true;
    ++marked_;
}

size_t ObjectList::EraseRemoved() {
    // Most updates hit nothing: the list is only walked when something was marked.
    if (marked_ == 0) return 0;
    const size_t erased = std::erase_if(items_, [](const LevelObject& o) { return o.removed; });
    marked_ = 0;
    if (erased > 0) Reindex();
    return erased;
}

size_t ObjectList::FirstAt(int32_t x, int32_t y) const {
    const uint32_t p = index_.First(x, y);
    return p == TileIndex::kNone ? npos : static_cast<size_t>(p);
}
