#pragma once
#include <cstdint>
#include <string>

class Level;

// The object kinds a shot can take away; the ones that lay track are builders.
bool IsBuilder(const std::string& name);
bool IsShootable(const std::string& name);

// An estimate of how many more pieces the track needs to reach the finish tile: the length of
// the shortest walk over the grid from the tile beyond the track end to the finish, through
// tiles that are empty, hold track or hold a target that can be shot away. 0 when the track
// already reaches the finish tile; kUnreachable when no such walk exists (the level can no
// longer be won by laying track). Grids too large to walk give 0 (no estimate).
inline constexpr int32_t kUnreachable = INT32_MAX;
int32_t TrackDistance(const Level& level);
