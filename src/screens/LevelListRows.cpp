#include "screens/LevelListRows.h"

std::vector<ListRow> ArrangeListRows(const std::vector<ShownSet>& sets, const std::vector<SetStanding>& standings) {
    std::vector<ListRow> rows;
    const bool headings = sets.size() > 1;
    for (size_t s = 0; s < sets.size(); ++s) {
        const int32_t set = static_cast<int32_t>(s);
        if (headings) rows.push_back(ListRow{ListRow::Kind::Heading, set, -1, 0});
        if (s < standings.size() && !standings[s].open) continue;
        for (size_t i = 0; i < sets[s].levels.size(); ++i)
            rows.push_back(ListRow{ListRow::Kind::Level, set, sets[s].levels[i], static_cast<int32_t>(i)});
    }
    return rows;
}

void AppendNewLevelRows(std::vector<ListRow>* rows, bool ownLevelInPlay) {
    rows->push_back(ListRow{ListRow::Kind::NewHeading});
    for (NewLevel made : {NewLevel::InPlay, NewLevel::Easy, NewLevel::Medium, NewLevel::Hard, NewLevel::Typed, NewLevel::Day}) {
        if (made == NewLevel::InPlay && !ownLevelInPlay) continue;
        ListRow row{ListRow::Kind::New};
        row.made = made;
        rows->push_back(row);
    }
}

int32_t RowOfNewLevel(const std::vector<ListRow>& rows, NewLevel made) {
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r].kind == ListRow::Kind::New && rows[r].made == made) return static_cast<int32_t>(r);
    return -1;
}

int32_t RowOfLevel(const std::vector<ListRow>& rows, int32_t level) {
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r].kind == ListRow::Kind::Level && rows[r].level == level) return static_cast<int32_t>(r);
    return -1;
}

int32_t StepLevelRows(const std::vector<ListRow>& rows, int32_t from, int32_t steps) {
    const int32_t direction = steps < 0 ? -1 : 1;
    int32_t at = from;
    for (int32_t left = steps < 0 ? -steps : steps; left > 0; --left) {
        int32_t next = at + direction;
        while (next >= 0 && next < static_cast<int32_t>(rows.size()) && !rows[static_cast<size_t>(next)].Choosable())
            next += direction;
        if (next < 0 || next >= static_cast<int32_t>(rows.size())) break;
        at = next;
    }
    return at;
}
