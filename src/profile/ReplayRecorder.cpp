#include "profile/ReplayRecorder.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "profile/LevelIdentity.h"
#include "state/LevelProgression.h"

namespace {

struct Recording {
    std::FILE* file = nullptr;
    bool failed = false;
    bool inLevel = false;     // a part has been started and not yet ended
    uint64_t levelStart = 0;  // LevelStartCount() of the level whose part is open
    RunScriptWriter part;     // kept with or without a file: the run of the level in play
};

Recording recording;

void EndLevel() {
    if (!recording.inLevel) return;
    recording.inLevel = false;
    if (!recording.file) return;
    const std::string text = recording.part.Text();
    if (std::fputs(text.c_str(), recording.file) < 0 || std::fflush(recording.file) != 0) recording.failed = true;
}

// Opens the part of the level in play when it is not the one being written: a level loaded again
// (a retry) is a new start with its own part. A level loaded but never played writes nothing.
void FollowLevel() {
    const uint64_t start = LevelStartCount();
    if (recording.inLevel && recording.levelStart == start) return;
    EndLevel();
    recording.part.Begin(StartedLevelPath(), LevelFileHash(StartedLevelPath()));
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
    FollowLevel();
    recording.part.Frame(dt);
}

void RecordShot(const Vec3& hit) {
    FollowLevel();
    recording.part.Shot(hit);
}

const RunScriptWriter* RunOfLevelInPlay() {
    return recording.inLevel && recording.levelStart == LevelStartCount() ? &recording.part : nullptr;
}

void ForgetRecording() {
    if (recording.file) std::fclose(recording.file);
    recording = Recording{};
}

bool StopRecording() {
    EndLevel();
    if (!recording.file) return true;
    const bool ok = !recording.failed && std::fclose(recording.file) == 0;
    recording = Recording{};
    return ok;
}
