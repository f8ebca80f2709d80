#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "level/Level.h"

// Starts the level at `index` of the catalogue's level list as the level in play: the level,
// its floor grid, its camera (kept when the file names none) and no bullets. An index past the
// end wraps to level 0 and sets g_levelIndex to 0. Returns 1 without a catalogue, or with an
// empty level list (then no level is in play); otherwise 0.
int32_t LoadLevel(int32_t index);

// Loads the level file at `path` (used as given) as the level in play, exactly as LoadLevel does
// for a listed level; 1 without a catalogue, else 0 (a damaged file still becomes the level).
int32_t LoadLevelFromPath(const std::string& path);

// Starts a level record already made (e.g. from text in memory) as the level in play, exactly as
// LoadLevelFromPath does after loading; `path` names it for recordings. 1 without a catalogue or
// a level, else 0.
int32_t StartLevel(std::unique_ptr<Level> level, const std::string& path);

// Builds g_grid, the floor grid of the level's width and height.
void MakeFloorGrid(const Level& level);

// From now on LoadLevel plays the level file at `path` (used as given) for every index, as if
// the list named only it; empty: the list again.
void PlayOnlyLevel(const std::string& path);

// Makes every later load ask `keepLoading` now and then; one answering false stops the load and
// leaves no level in play (LoadLevel and LoadLevelFromPath then return 2). Empty: never asked.
void SetLevelLoadCheck(KeepLoading keepLoading);

// How many levels have been started in this process, each load counted (a retry too), and the
// path the last one was loaded from; a recording tells one start of a level from the next by them.
uint64_t LevelStartCount();
const std::string& StartedLevelPath();

// The path of a listed level file: "levels/" + name, backslashes made slashes.
std::string LevelPath(const std::string& name);
