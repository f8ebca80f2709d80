// Level files as the game loads them, and as the level checker reads them. Each is loaded twice
// with fresh memory filled differently: the two levels must be the same.
#include <cstring>
#include <memory>
#include <string_view>

#include "FuzzInput.h"
#include "authoring/LevelCheck.h"
#include "level/Level.h"

namespace {

bool SameObject(const LevelObject& a, const LevelObject& b) {
    // Compared as bits, so that a NaN read from the file equals itself.
    const auto bits = [](float f) {
        uint32_t u;
        std::memcpy(&u, &f, 4);
        return u;
    };
    return a.name == b.name && bits(a.scale) == bits(b.scale) && bits(a.angle) == bits(b.angle) && a.x == b.x &&
           a.y == b.y && a.removed == b.removed && a.degrees == b.degrees;
}

bool SameLevel(const Level& a, const Level& b) {
    if (a.style != b.style || a.height != b.height || a.width != b.width || a.objectCount != b.objectCount ||
        a.trainX != b.trainX || a.trainY != b.trainY || a.trainHeading != b.trainHeading || a.finishX != b.finishX ||
        a.finishY != b.finishY || a.finishHeading != b.finishHeading || a.trackEndX != b.trackEndX ||
        a.trackEndY != b.trackEndY || a.trackEndHeading != b.trackEndHeading ||
        std::memcmp(&a.speed, &b.speed, sizeof a.speed) != 0 || !a.camera != !b.camera ||
        a.loadStop.has_value() != b.loadStop.has_value() || a.objects.size() != b.objects.size())
        return false;
    if (a.camera && std::memcmp(a.camera.get(), b.camera.get(), sizeof *a.camera) != 0) return false;
    if (a.loadStop && (a.loadStop->found != b.loadStop->found || a.loadStop->line != b.loadStop->line ||
                       a.loadStop->column != b.loadStop->column || a.loadStop->expected != b.loadStop->expected))
        return false;
    for (size_t i = 0; i < a.objects.size(); ++i)
        if (!SameObject(a.objects[i], b.objects[i])) return false;
    return true;
}

std::unique_ptr<Level> LoadWithPattern(const std::string& path, uint8_t pattern) {
    SetFillPattern(pattern);
    FillFreshAllocations(true);
    auto level = std::make_unique<Level>(nullptr, nullptr, path);
    FillFreshAllocations(false);
    return level;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = InputFile(data, size, "level.txt");
    Expect(SameLevel(*LoadWithPattern(path, 0xA5), *LoadWithPattern(path, 0x5A)),
           "two loads of one level differ: the level depends on memory the loader never wrote");
    static const ModelList models{"models.txt", {"rails", "railscorner", "station"}, ""};
    CheckLevelText(std::string_view(reinterpret_cast<const char*>(data), size), &models);
    return 0;
}
