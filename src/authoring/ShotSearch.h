#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "state/Bullet.h"

class Level;

// The frame time of every simulated frame: a power of two, so that the script states it exactly.
inline constexpr float kFrameTime = 0.03125f;

// A left click on the floor point (x, y, 0) made after `frame` frames of play, aimed at the
// target on tile (targetX, targetY).
struct Shot {
    uint64_t frame = 0;
    float x = 0.0f;
    float y = 0.0f;
    int32_t targetX = 0;
    int32_t targetY = 0;
};

// Shots that win, the frame count at which the level is won and the score then. What the way
// there asked of a player: `traps` counts the shots that could be hit from the moments on the way
// but would lose the game (the train runs off, or the track can no longer reach the finish), and
// `runOffFrames` holds, for each shot, the frames the train had left before running off the
// track had the shot not been made (kNoRunOff when it would not run off).
struct Solution {
    std::vector<Shot> shots;
    uint64_t frames = 0;
    int32_t score = 0;
    int32_t traps = 0;
    std::vector<uint64_t> runOffFrames;
};

inline constexpr uint64_t kNoRunOff = UINT64_MAX;

// The node bound of a hint: a search from the middle of play, which must answer within a moment.
inline constexpr uint64_t kHintNodes = 20000;

struct SearchLimits {
    double maxSeconds = 60.0;   // wall-clock time of the whole search; infinity: no time limit
    uint64_t maxNodes = 20000;  // moments of play from which every next shot is tried
    int maxShots = 64;          // shots (and waits) in one sequence; the search recurses this deep
};

struct SearchReport {
    std::optional<Solution> solution;  // the first one found, or with `best` the highest score
    uint64_t nodes = 0;
    // What ended the search: it ran out of sequences to try, or a limit stopped it.
    enum class End { Exhausted, NodeLimit, TimeLimit, ShotLimit, Cancelled } end = End::Exhausted;
};

// Searches for shots that win the level in play (g_level with g_bullets, its shots in flight),
// running the game's own update, firing and hit rules at kFrameTime per frame. From each moment
// it tries a shot at every target (aimed so that the rules make it hit that target), or waiting
// for the train's next step when some target cannot be hit from where the train stands. Without
// `best` it stops at the first win; with `best` it keeps the highest score within the limits.
// The level and the bullets are as they were when it returns.
SearchReport SearchShots(const SearchLimits& limits, bool best);

// The same search on an explicit level and shot list, touching no process-wide state (so it may
// run on a thread of its own on a copy of a level); it plays no sound. When *cancel turns true
// the search stops soon after, with End::Cancelled.
SearchReport SearchShotsIn(Level& level, std::vector<Bullet>& bullets, const SearchLimits& limits, bool best,
                           const std::atomic<bool>* cancel);

class ShotSearch;

// SearchShotsIn's search, run a slice at a time: slices of any size find what one whole run finds.
// Between two slices the level and the bullets are in the middle of the search: nothing else may
// touch them until the search has ended, when they are as they were at the start.
class ShotSearchRun {
public:
    ShotSearchRun(Level& level, std::vector<Bullet>& bullets, const SearchLimits& limits, bool best,
                  const std::atomic<bool>* cancel);
    ~ShotSearchRun();
    // Searches on until `nodeBudget` more moments have been counted or the search has ended;
    // true once it has ended.
    bool Advance(uint64_t nodeBudget);
    // What the search has found so far; final once Advance has returned true.
    const SearchReport& Report() const;

private:
    std::unique_ptr<ShotSearch> search_;
};

// "the node limit (--max-nodes 20000)"-style words for what ended a search.
std::string DescribeEnd(const SearchReport& report, const SearchLimits& limits);
