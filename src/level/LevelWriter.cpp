#include "level/LevelWriter.h"

#include <charconv>
#include <cmath>

#include "level/Level.h"
#include "level/Tiles.h"
#include "platform/AtomicFile.h"

namespace {

// The shortest decimal that reads back as the same float.
std::string Number(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Vector(const Vec3& v) { return Number(v.x) + " " + Number(v.y) + " " + Number(v.z); }

// The angle the loader makes of `degrees` read from a file.
float AngleOf(float degrees) { return degrees != 0.0f ? DegreesToRadians(degrees) : 0.0f; }

// The degrees to write for an object: its whole degrees when they give back its angle (every
// shipped level and every placed object), else the float nearest the angle's degrees that the
// loader turns into exactly that angle (the one the file gave lies within a few steps).
std::string Degrees(const LevelObject& object) {
    if (AngleOf(static_cast<float>(object.degrees)) == object.angle) return std::to_string(object.degrees);
    // The loader makes +0 of every zero: a -0 angle (a level decoded from a code can hold one) has
    // no text of its own, and "-0" would read back as a level that writes "0".
    if (object.angle == 0.0f) return "0";
    const float estimate = object.angle * (180.0f / kPi);
    float up = estimate, down = estimate;
    for (int step = 0; step < 16; ++step) {
        if (AngleOf(up) == object.angle) return Number(up);
        if (AngleOf(down) == object.angle) return Number(down);
        up = std::nextafter(up, HUGE_VALF);
        down = std::nextafter(down, -HUGE_VALF);
    }
    return Number(estimate);
}

}  // namespace

bool StationRingFollows(const Level& level, size_t i) {
    static constexpr int32_t kOffsets[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
    if (i + 8 >= level.objects.size() || !(level.objects[i].name == ObjectName::kStation)) return false;
    const LevelObject& station = level.objects[i];
    // The loader's wrapping arithmetic, so that rings at the int32 limits are recognised too.
    const auto add = [](int32_t v, int32_t d) { return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(d)); };
    for (size_t k = 0; k < 8; ++k) {
        const LevelObject& ring = level.objects[i + 1 + k];
        if (!(ring.name == ObjectName::kBlocked) || ring.x != add(station.x, kOffsets[k][0]) ||
            ring.y != add(station.y, kOffsets[k][1]))
            return false;
    }
    return true;
}

namespace {

// Calls entry(object) for every object a file names, skipping the rings after stations.
template <class Entry>
void ForEachEntry(const Level& level, Entry entry) {
    for (size_t i = 0; i < level.objects.size(); ++i) {
        const LevelObject& object = level.objects[i];
        entry(object);
        if (StationRingFollows(level, i)) i += 8;
    }
}

}  // namespace

int LevelEntryCount(const Level& level) {
    int count = 0;
    ForEachEntry(level, [&](const LevelObject&) { ++count; });
    return count;
}

std::string LevelText(const Level& level) {
    const Camera camera = level.camera ? *level.camera : Camera();
    std::string text = "style " + level.style + "\n";
    text += "height " + std::to_string(level.height) + "\n";
    text += "width " + std::to_string(level.width) + "\n";
    text += "camera_data\n";
    for (const Vec3* v : {&camera.position, &camera.up, &camera.look, &camera.right}) text += Vector(*v) + "\n";
    text += "objects " + std::to_string(LevelEntryCount(level)) + "\n";
    ForEachEntry(level, [&](const LevelObject& o) {
        text += std::to_string(o.x) + " " + std::to_string(o.y) + " " + std::string(o.name) + " " + Number(o.scale) +
                " " + Degrees(o) + "\n";
    });
    text += "start " + std::to_string(level.trainX) + " " + std::to_string(level.trainY) + " " + level.trainHeading + "\n";
    text += "finish " + std::to_string(level.finishX) + " " + std::to_string(level.finishY) + " " +
            level.finishHeading + "\n";
    text += "speed " + Number(level.speed) + "\n";
    return text;
}

bool SaveLevel(const Level& level, const std::string& path, std::string* why) {
    return ReplaceFile(path, LevelText(level), why);
}
