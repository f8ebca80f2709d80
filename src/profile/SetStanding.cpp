#include "profile/SetStanding.h"

#include <algorithm>

namespace {
// A time read back from progress.json, a sum of frame times, against a goal written in decimals.
constexpr double kTimeTolerance = 1e-9;
}  // namespace

LevelMarks MarksOf(const LevelRecord* record, const std::optional<LevelGoals>& goals) {
    LevelMarks marks;
    if (!record || !record->won) return marks;
    marks.won = true;
    if (!goals || record->hinted) return marks;
    marks.scoreGoal = record->bestScore >= goals->score;
    marks.timeGoal = record->bestTime <= goals->seconds + kTimeTolerance;
    return marks;
}

bool EverWon(const Progress& progress, const std::string& file) {
    return std::any_of(progress.levels.begin(), progress.levels.end(),
                       [&](const LevelRecord& record) { return record.won && record.file == file; });
}

std::vector<SetStanding> StandSets(const std::vector<ShownSet>& sets, const Progress& progress,
                                   const LevelRecords& records) {
    std::vector<SetStanding> standings;
    for (size_t s = 0; s < sets.size(); ++s) {
        const ShownSet& set = sets[s];
        SetStanding standing;
        for (size_t i = 0; i < set.levels.size(); ++i) {
            const int32_t level = set.levels[i];
            if (EverWon(progress, records.fileName(level))) ++standing.won;
            if (!set.goals[i]) continue;
            standing.goalsTotal += 2;
            const LevelMarks marks = MarksOf(records.current(level), set.goals[i]);
            standing.goals += (marks.scoreGoal ? 1 : 0) + (marks.timeGoal ? 1 : 0);
        }
        if (s == 0 || set.alwaysOpen) {
            standing.open = true;
        } else {
            const SetStanding& before = standings.back();
            standing.winsToOpen = std::min<int32_t>(kWinsToOpenNextSet, static_cast<int32_t>(sets[s - 1].levels.size()));
            standing.open = before.open && before.won >= standing.winsToOpen;
        }
        standings.push_back(standing);
    }
    return standings;
}
