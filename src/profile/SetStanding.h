#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "profile/Progress.h"
#include "resources/LevelSets.h"

// Wins of a set that open the set after it (all of its levels when it has fewer).
inline constexpr int32_t kWinsToOpenNextSet = 7;

// What the player has reached on one level: won, the score goal, the time goal. Goals count only
// on the record of the level's present content, and only for a win.
struct LevelMarks {
    bool won = false;
    bool scoreGoal = false;
    bool timeGoal = false;
};
LevelMarks MarksOf(const LevelRecord* record, const std::optional<LevelGoals>& goals);

// True when some record of the level file `file` (its name in the profile) was won, whatever the
// file's content was then.
bool EverWon(const Progress& progress, const std::string& file);

// Where the player stands in a set.
struct SetStanding {
    int32_t won = 0;         // levels won, on any content
    int32_t goals = 0;       // goals reached
    int32_t goalsTotal = 0;  // goals the set's levels have
    bool open = false;
    int32_t winsToOpen = 0;  // wins of the set before that open this one (0 for the first set)
};

// How to find a level's records: its name in the profile, and its record of the present content.
struct LevelRecords {
    std::function<std::string(int32_t level)> fileName;
    std::function<const LevelRecord*(int32_t level)> current;
};

// The standing of every set, in order: the first set and those always open are open; any other
// opens once the set before it is open and has kWinsToOpenNextSet of its levels won.
std::vector<SetStanding> StandSets(const std::vector<ShownSet>& sets, const Progress& progress,
                                   const LevelRecords& records);
