#include <vector>

#include "level/Level.h"
#include "level/Tiles.h"

namespace {

LevelObject EmptyTile() {
    LevelObject empty;
    empty.removed = true;
    return empty;
}

// The bit a heading takes in a tile's set of headings already traced.
uint8_t HeadingBit(char heading) {
    switch (heading) {
        case 'n': return 1;
        case 'e': return 2;
        case 's': return 4;
        case 'w': return 8;
        default: return 0;
    }
}

}  // namespace

LevelObject Level::ObjectAt(int32_t x, int32_t y) const {
    if (scanObjects) return ObjectAtByScan(x, y);
    const size_t first = objects.FirstAt(x, y);
    return first == ObjectList::npos ? EmptyTile() : objects[first];
}

LevelObject Level::ObjectAtByScan(int32_t x, int32_t y) const {
    for (const LevelObject& object : objects)
        if (object.x == x && object.y == y) return object;
    return EmptyTile();
}

char Level::ExitHeading(const LevelObject& piece, char heading) {
    // Columns in the order n, e, s, w.
    int column;
    switch (heading) {
        case 'n': column = 0; break;
        case 'e': column = 1; break;
        case 's': column = 2; break;
        case 'w': column = 3; break;
        default: return 'x';
    }
    const int32_t turn = piece.Turn();
    if (piece.name == ObjectName::kRails) {
        static constexpr char kStraight0[4] = {'x', 'e', 'x', 'w'};
        static constexpr char kStraight90[4] = {'n', 'x', 's', 'x'};
        if (turn == 0) return kStraight0[column];
        if (turn == 90) return kStraight90[column];
        return 'x';
    }
    if (piece.name == ObjectName::kRailsCorner) {
        static constexpr char kCurve[4][4] = {
            {'w', 's', 'x', 'x'},  // 0: joins south and west
            {'x', 'n', 'w', 'x'},  // 90: joins west and north
            {'x', 'x', 'e', 'n'},  // 180: joins north and east
            {'e', 'x', 'x', 's'},  // 270: joins east and south
        };
        switch (turn) {
            case 0: return kCurve[0][column];
            case 90: return kCurve[1][column];
            case 180: return kCurve[2][column];
            case 270: return kCurve[3][column];
            default: return 'x';
        }
    }
    return 'x';
}

void Level::TraceTrackEnd(int32_t x, int32_t y, char heading) {
    // Pieces can close into a ring that would lead the trace round for ever; a state (tile and
    // heading) met a second time ends the trace at the last state before the ring closes. The trace
    // only ever stands on tiles that hold an object, so a state is marked on the tile's first
    // object (a walk of the whole list stands in when lookups are asked to scan).
    std::vector<uint8_t> traced(objects.size());
    const auto firstOn = [&](int32_t tx, int32_t ty) {
        if (!scanObjects) return objects.FirstAt(tx, ty);
        for (size_t i = 0; i < objects.size(); ++i)
            if (objects[i].x == tx && objects[i].y == ty) return i;
        return ObjectList::npos;
    };
    if (const size_t start = firstOn(x, y); start != ObjectList::npos) traced[start] |= HeadingBit(heading);
    for (;;) {
        int32_t nx, ny;
        StepFrom(x, y, heading, &nx, &ny);
        const LevelObject next = ObjectAt(nx, ny);
        if (next.removed) break;
        const char h = ExitHeading(next, heading);
        if (h == 'x') break;
        uint8_t& marks = traced[firstOn(nx, ny)];
        if (marks & HeadingBit(h)) break;
        marks |= HeadingBit(h);
        x = nx;
        y = ny;
        heading = h;
    }
    trackEndX = x;
    trackEndY = y;
    trackEndHeading = heading;
}

bool Level::TrackComplete() const {
    return trackEndX == finishX && trackEndY == finishY && trackEndHeading == finishHeading;
}

bool Level::InsideGrid(int32_t x, int32_t y) const { return x >= 0 && x < width && y >= 0 && y < height; }

int32_t Level::LayRail(char kind) {
    if (TrackComplete()) return 0;
    // Only a start heading outside n, e, s, w leaves such a track end; no piece has a turn for it.
    if (!IsHeading(trackEndHeading)) return 1;

    int32_t nx, ny;
    StepFrom(trackEndX, trackEndY, trackEndHeading, &nx, &ny);
    if (!InsideGrid(nx, ny)) {
        lost = true;
        return 1;
    }
    if (!ObjectAt(nx, ny).removed) {
        lost = true;
        return 1;
    }

    // Rows 'l', 'r', 's'; columns n, e, s, w; the turn in degrees of the piece laid.
    static constexpr int32_t kCurveLeft[4] = {0, 90, 180, 270};
    static constexpr int32_t kCurveRight[4] = {270, 0, 90, 180};
    static constexpr int32_t kStraight[4] = {90, 0, 90, 0};
    const int column = trackEndHeading == 'n' ? 0 : trackEndHeading == 'e' ? 1 : trackEndHeading == 's' ? 2 : 3;
    LevelObject piece;
    switch (kind) {
        case 'l': piece.name = ObjectName::kRailsCorner; piece.degrees = kCurveLeft[column]; break;
        case 'r': piece.name = ObjectName::kRailsCorner; piece.degrees = kCurveRight[column]; break;
        case 's': piece.name = ObjectName::kRails; piece.degrees = kStraight[column]; break;
        default: return 1;
    }
    piece.angle = DegreesToRadians(static_cast<float>(piece.degrees));
    piece.scale = 1.0f;
    piece.x = nx;
    piece.y = ny;
    piece.removed = false;
    objects.push_back(piece);
    objectCount = static_cast<int32_t>(static_cast<uint32_t>(objectCount) + 1u);  // wraps, never overflows

    TraceTrackEnd(trackEndX, trackEndY, trackEndHeading);
    if (TrackComplete()) speed = 1.0f;
    return 0;
}
