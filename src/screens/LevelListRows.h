#pragma once
#include <cstdint>
#include <vector>

#include "profile/SetStanding.h"
#include "resources/LevelSets.h"

// One row of the level list: a set's heading, or a level (its index in levels.txt) of an open set.
struct ListRow {
    enum class Kind { Heading, Level };
    Kind kind = Kind::Level;
    int32_t set = 0;
    int32_t level = -1;  // Level rows
    int32_t inSet = 0;   // Level rows: the level's place in its set
};

// The rows of the list: each set's heading, followed by its levels when it is open. A single set
// (the levels without sets) has no heading: the page's title names it.
std::vector<ListRow> ArrangeListRows(const std::vector<ShownSet>& sets, const std::vector<SetStanding>& standings);

// The row of the level; -1 when no row shows it (its set is closed).
int32_t RowOfLevel(const std::vector<ListRow>& rows, int32_t level);

// The level row `steps` level rows after (negative: before) row `from`, stopping at the first and
// last level rows; `from` itself when there is no level row.
int32_t StepLevelRows(const std::vector<ListRow>& rows, int32_t from, int32_t steps);
