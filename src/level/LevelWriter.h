#pragma once
#include <cstddef>
#include <string>

class Level;

// The text of a level file for the level record, in the layout of the shipped levels: the
// keywords in order, the camera's four vectors one a line, one object entry a line, every number
// written so that it reads back as the same float. The station rings the loader adds are left
// out (loading adds them again), so loading the text gives the same record: the same objects in
// the same order, grid, start, finish, speed and camera. A level without a camera is written with
// the default one.
std::string LevelText(const Level& level);

// True when objects[i] is a station and the next eight objects are the ring of blocked tiles the
// loader appends after it (in its order).
bool StationRingFollows(const Level& level, size_t i);

// The object entries LevelText writes: the objects less the station rings.
int LevelEntryCount(const Level& level);

// Writes LevelText(level) to path in one atomic replacement; false, with the old file untouched
// and the reason in *why when given, when it cannot be written.
bool SaveLevel(const Level& level, const std::string& path, std::string* why = nullptr);
