#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "level/Level.h"
#include "state/Bullet.h"

// Everything the rules change during play: the changing fields of the level and the shots in
// flight. Capturing and restoring it lets a search branch from one moment of a game.
struct PlayState {
    std::vector<LevelObject> objects;
    int32_t objectCount = 0;
    int32_t trainX = 0, trainY = 0;
    char trainHeading = 'x';
    int32_t trackEndX = 0, trackEndY = 0;
    char trackEndHeading = 'x';
    int32_t score = 0;
    float speed = 0.0f;
    float stepTimer = 0.0f;
    bool lost = false;
    bool won = false;
    std::vector<Bullet> bullets;
};

// A copy of the level's changing fields and of the bullets.
PlayState CapturePlay(const Level& level, const std::vector<Bullet>& bullets);
// Puts a captured state back; the bullets are pointed at `level`.
void RestorePlay(const PlayState& state, Level& level, std::vector<Bullet>& bullets);
// A hash of the whole state: equal states give equal fingerprints.
uint64_t Fingerprint(const PlayState& state);

// A level of its own with the grid, finish, objects and state of play of `level`, and in
// *bullets the shots in flight (silent, pointed at the copy): what a search on another thread
// plays on. It has no device or camera; the catalogue is shared.
std::unique_ptr<Level> CopyLevelForSearch(const Level& level, const std::vector<Bullet>& bullets,
                                          std::vector<Bullet>* copyBullets);
