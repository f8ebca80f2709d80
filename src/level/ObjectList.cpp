#include "level/ObjectList.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "platform/ProcessMemory.h"

ObjectList::ObjectList(std::vector<LevelObject> objects) : items_(std::move(objects)) {
    Reindex();
    Changed();
}

ObjectList& ObjectList::operator=(std::vector<LevelObject> objects) {
    items_ = std::move(objects);
    Reindex();
    Changed();
    return *this;
}

void ObjectList::Changed() {
    // Process-wide, so that a list made where another one lived never takes its number.
    static std::atomic<uint64_t> last{0};
    revision_ = ++last;
}

void ObjectList::Note(const LevelObject& o) {
    minX_ = std::min(minX_, o.x), maxX_ = std::max(maxX_, o.x);
    minY_ = std::min(minY_, o.y), maxY_ = std::max(maxY_, o.y);
    // A NaN scale is taken as any other: the drawing of such an object is undefined anyway.
    const float scale = std::fabs(o.scale);
    if (scale > maxScale_) maxScale_ = scale;
    const uint32_t id = o.name.id();
    if (id >= named_.size()) named_.resize(id + 1);
    if (!named_[id]) named_[id] = true, names_.push_back(o.name);
}

void ObjectList::Reindex() {
    index_.Clear();
    index_.Reserve(items_.size());
    marked_.clear();
    erased_.clear();
    IndexFrom(0);
}

void ObjectList::IndexFrom(size_t first) {
    // The new objects take the next ids, as push_back gives them.
    const auto firstId = static_cast<uint32_t>(index_.Size());
    index_.AppendMany(items_.size() - first, [this, first](size_t k) -> const LevelObject& { return items_[first + k]; });
    for (size_t i = first; i < items_.size(); ++i) {
        const LevelObject& o = items_[i];
        Note(o);
        if (o.removed) marked_.push_back(firstId + static_cast<uint32_t>(i - first));
    }
}

void ObjectList::AppendAll(const std::function<void(std::vector<LevelObject>&)>& fill) {
    const size_t first = items_.size();
    // The room reserved for the new objects, and for their ids in the index, is made ready on
    // another core while fill writes into it (a large level's load waits on new pages otherwise).
    const FreshPagesAhead ahead{{items_.data() + first, (items_.capacity() - first) * sizeof(LevelObject)},
                                index_.RoomForIds()};
    fill(items_);
    IndexFrom(first);
    Changed();
}

void ObjectList::push_back(const LevelObject& object) {
    items_.push_back(object);
    const auto id = static_cast<uint32_t>(index_.Size());
    index_.Append(object.x, object.y);
    Note(object);
    if (object.removed) marked_.push_back(id);
    Changed();
}

void ObjectList::clear() {
    items_.clear();
    index_.Clear();
    marked_.clear();
    erased_.clear();
    Changed();
}

void ObjectList::reserve(size_t count) {
    if (count > items_.capacity()) {
        items_.reserve(count);
        AdviseLargeBlock(items_.data(), items_.capacity() * sizeof(LevelObject));
    }
    index_.Reserve(count);
}

size_t ObjectList::PositionOf(uint32_t id) const {
    if (erased_.empty()) return id;
    return id - static_cast<size_t>(std::lower_bound(erased_.begin(), erased_.end(), id) - erased_.begin());
}

uint32_t ObjectList::IdOf(size_t position) const {
    if (erased_.empty()) return static_cast<uint32_t>(position);
    // The id is the position plus the erased ids below it; erased_[k] - k never decreases, and
    // erased_[k] lies below the id exactly when erased_[k] - k <= position.
    size_t low = 0, high = erased_.size();
    while (low < high) {
        const size_t mid = (low + high) / 2;
        if (erased_[mid] - mid <= position) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return static_cast<uint32_t>(position + low);
}

void ObjectList::MarkRemoved(size_t i) {
    items_[i].removed = true;
    marked_.push_back(IdOf(i));
    Changed();
}

size_t ObjectList::EraseRemoved() {
    // Most updates hit nothing: the list is only touched when something was marked.
    if (marked_.empty()) return 0;
    std::sort(marked_.begin(), marked_.end());
    marked_.erase(std::unique(marked_.begin(), marked_.end()), marked_.end());
    for (uint32_t id : marked_) {
        const LevelObject& o = items_[PositionOf(id)];
        index_.Remove(o.x, o.y, id);
    }
    const size_t first = PositionOf(marked_.front());
    const auto kept = std::remove_if(items_.begin() + static_cast<std::ptrdiff_t>(first), items_.end(),
                                     [](const LevelObject& o) { return o.removed; });
    const auto erased = static_cast<size_t>(items_.end() - kept);
    items_.erase(kept, items_.end());
    const size_t before = erased_.size();
    erased_.insert(erased_.end(), marked_.begin(), marked_.end());
    std::inplace_merge(erased_.begin(), erased_.begin() + static_cast<std::ptrdiff_t>(before), erased_.end());
    marked_.clear();
    Changed();
    // Renumbering costs the whole list, so it waits until the erased ids are a good share of it.
    if (erased_.size() > 64 + items_.size() / 4) Reindex();
    return erased;
}

std::vector<bool> ObjectList::FirstsOnTiles() const {
    std::vector<bool> first(items_.size());
    index_.ForEachFirst([&](uint32_t id) { first[PositionOf(id)] = true; });
    return first;
}

size_t ObjectList::FirstAt(int32_t x, int32_t y) const {
    const uint32_t id = index_.First(x, y);
    return id == TileIndex::kNone ? npos : PositionOf(id);
}
