#include "shell/ReplayRecorder.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>

#include "state/LevelProgression.h"

namespace {

struct Recording {
    std::FILE* file = nullptr;
    bool failed = false;
    bool inLevel = false;     // a "# level" line has been written and its part is open
    uint64_t levelStart = 0;  // LevelStartCount() of the level whose part is open
    uint64_t pendingFrames = 0;
    float pendingDt = 0.0f;
};

Recording recording;

// The shortest decimal that reads back as the same float.
std::string Number(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void WriteLine(const std::string& line) {
    if (std::fputs(line.c_str(), recording.file) < 0 || std::fputc('\n', recording.file) == EOF)
        recording.failed = true;
}

void FlushFrames() {
    if (recording.pendingFrames == 0) return;
    WriteLine("frames " + std::to_string(recording.pendingFrames) + " " + Number(recording.pendingDt));
    recording.pendingFrames = 0;
}

void EndLevel() {
    if (!recording.inLevel) return;
    FlushFrames();
    WriteLine("print");
    recording.inLevel = false;
    if (std::fflush(recording.file) != 0) recording.failed = true;
}

// Opens the part of the level in play when it is not the one being written: a level loaded again
// (a retry) is a new start with its own part. A level loaded but never played writes nothing.
void FollowLevel() {
    const uint64_t start = LevelStartCount();
    if (recording.inLevel && recording.levelStart == start) return;
    EndLevel();
    WriteLine("# level " + StartedLevelPath());
    recording.inLevel = true;
    recording.levelStart = start;
}

}  // namespace

bool StartRecording(const std::string& path) {
    StopRecording();
    recording = Recording{};
    recording.file = std::fopen(path.c_str(), "w");
    return recording.file != nullptr;
}

void RecordFrame(float dt) {
    if (!recording.file) return;
    FollowLevel();
    // Compared as bits, so that only frames that replay identically fold together.
    if (recording.pendingFrames > 0 && std::bit_cast<uint32_t>(dt) != std::bit_cast<uint32_t>(recording.pendingDt))
        FlushFrames();
    recording.pendingDt = dt;
    ++recording.pendingFrames;
}

void RecordShot(const Vec3& hit) {
    if (!recording.file) return;
    FollowLevel();
    FlushFrames();
    std::string line = "click " + Number(hit.x) + " " + Number(hit.y);
    if (hit.z != 0.0f) line += " " + Number(hit.z);
    WriteLine(line);
}

bool StopRecording() {
    if (!recording.file) return true;
    EndLevel();
    const bool ok = !recording.failed && std::fclose(recording.file) == 0;
    recording = Recording{};
    return ok;
}
