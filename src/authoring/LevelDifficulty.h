#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "authoring/ShotSearch.h"
#include "state/Bullet.h"

class Level;

// What the solver sees of a level: the win it finds first (it tries builders before other
// targets and lays the track nearest the finish first, so its win takes few shots), and what that
// way asked of a player.
struct LevelStats {
    bool won = false;
    int32_t shots = 0;        // shots in the win found
    int32_t traps = 0;        // hittable shots on the way that would lose the game
    double pressure = 0.0;    // 0..1: how little time the shots left, averaged over them
    uint64_t nodes = 0;       // moments of play searched until the win (or the bound)
    double seconds = 0.0;     // seconds of play from the start to the win
    int32_t score = 0;        // the score at the win
    double difficulty = 0.0;  // one number from the above; see LevelDifficulty
};

// The difficulty of a win as one number: its shots, plus half a point per trap, plus up to 8 for
// time pressure, plus two points per doubling of the search's nodes per shot (how often the
// most promising-looking shot led nowhere). 0 when there is no win.
double LevelDifficulty(const LevelStats& stats);

// How pressed a shot is that leaves `runOffFrames` frames of play (kFrameTime each) before the train
// would run off: 1 / (1 + seconds left / 4), 0 when it would never run off.
double ShotPressure(uint64_t runOffFrames);

// Searches the level in play (the process-wide one) for its first win within `maxNodes` moments of
// play and no time limit, so that the figures are the same on every machine, and measures it.
LevelStats MeasureLevel(uint64_t maxNodes);

// The same on an explicit level and its shots in flight, touching no process-wide state; the
// solution found, if any, goes to *win.
LevelStats MeasureLevelIn(Level& level, std::vector<Bullet>& bullets, uint64_t maxNodes, Solution* win = nullptr);

// The stats as one line of JSON (no line end): shots, traps, pressure, nodes, seconds, score and
// difficulty, fractions to two decimals; shots, seconds, score and difficulty are null without a win.
std::string StatsJson(const LevelStats& stats);
