#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "level/Level.h"
#include "resources/ResourceCatalogue.h"
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

// The bounding spheres of every model of `catalogue` in a catalogue of their own, with no device,
// sounds or meshes: all that the rules and the solver look up, so that a search on another
// thread never touches (nor, by a lookup, adds to) the game's catalogue.
std::unique_ptr<ResourceCatalogue> CopyShapes(const ResourceCatalogue& catalogue);

// A level of its own with the grid, finish, objects and state of play of `level`, and in
// *copyBullets the shots in flight (silent, pointed at the copy): what a search on another thread
// plays on. It has no device or camera, and looks its models up in `shapes`.
std::unique_ptr<Level> CopyLevelForSearch(const Level& level, const std::vector<Bullet>& bullets,
                                          ResourceCatalogue* shapes, std::vector<Bullet>* copyBullets);
