#pragma once
#include <string>

#include "authoring/ShotSearch.h"

// The solution as a tracklet-sim script: the frames between the clicks, the clicks, the frames
// until the level is won and a closing "print"; a '#' comment line names the level and another
// gives the score, so the script stays valid input.
std::string SolutionScript(const std::string& levelPath, const Solution& solution);

// Replays a script through the simulator's own interpreter on a fresh load of the level file
// (the process-wide catalogue must be set up); true when its last report says "won":true and the
// score it gives equals `score`. `why` says what went wrong otherwise.
bool ReplayWins(const std::string& levelPath, const std::string& script, int32_t score, std::string* why);
