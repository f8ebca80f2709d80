#pragma once
#include <cstdint>
#include <vector>

#include "profile/SetStanding.h"
#include "resources/LevelSets.h"

// The entries for a level not in the list: the own level in play again, a new one from a random
// seed at each difficulty, one from a seed the player types, and the day's level.
enum class NewLevel { InPlay, Easy, Medium, Hard, Typed, Day };

// One row of the level list: a set's heading, a level (its index in levels.txt) of an open set,
// the heading of the new levels, or one of them.
struct ListRow {
    enum class Kind { Heading, Level, NewHeading, New };
    Kind kind = Kind::Level;
    int32_t set = 0;
    int32_t level = -1;  // Level rows
    int32_t inSet = 0;   // Level rows: the level's place in its set
    NewLevel made = NewLevel::Easy;  // New rows

    // A row the player can choose: a level or a new level.
    bool Choosable() const { return kind == Kind::Level || kind == Kind::New; }
};

// The rows of the list: each set's heading, followed by its levels when it is open. A single set
// (the levels without sets) has no heading: the page's title names it.
std::vector<ListRow> ArrangeListRows(const std::vector<ShownSet>& sets, const std::vector<SetStanding>& standings);

// Adds the new levels under their heading; the level in play is offered again when it is one.
void AppendNewLevelRows(std::vector<ListRow>* rows, bool ownLevelInPlay);

// The row of the new level; -1 when none shows it.
int32_t RowOfNewLevel(const std::vector<ListRow>& rows, NewLevel made);

// The row of the level; -1 when no row shows it (its set is closed).
int32_t RowOfLevel(const std::vector<ListRow>& rows, int32_t level);

// The choosable row `steps` choosable rows after (negative: before) row `from`, stopping at the
// first and last of them; `from` itself when there is none.
int32_t StepLevelRows(const std::vector<ListRow>& rows, int32_t from, int32_t steps);
