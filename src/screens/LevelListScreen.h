#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "profile/ProfileSession.h"
#include "screens/LevelListLayout.h"
#include "screens/LevelListRows.h"
#include "screens/Screen.h"
#include "screens/ScreenLook.h"

class RenderDevice;
class Texture;

// The level list: the sets in order, each under a heading with its name and the player's progress
// (levels won, goals reached), and the levels of each open set with their number, name, a picture
// of the opening view, and three marks: won, the score goal, the time goal, each goal's value
// beside the player's best. A closed set shows only its heading, saying what opens it. Up and
// Down (and the wheel) choose among the levels shown, the pointer chooses the row under it,
// Space, Enter or a click play the chosen level, which becomes the current one, W watches its
// best run, Escape goes back to the title. Pictures are drawn the first time they are shown and
// kept while the screen lives.
class LevelListScreen : public Screen {
public:
    // The list with the current level chosen (the first level shown when its set is closed).
    LevelListScreen();
    ~LevelListScreen() override;
    ScreenChange Update(ScreenFrame& frame) override;
    void Draw(const ScreenFrame& frame) override;
    // Back from watching: the list as it was left.
    void Resume() override {}

    // The chosen level (index in levels.txt; -1 when the list shows none), the first row shown,
    // the level under the pointer (-1: none).
    int32_t chosen() const { return chosen_; }
    int32_t first() const { return first_; }
    int32_t hovered() const { return hovered_; }
    const std::string& said() const { return said_; }

private:
    void ChooseRow(int32_t row);
    ScreenChange Play(int32_t level);
    ScreenChange Watch(int32_t level);
    LevelListLayout Layout() const;
    Texture* PictureOf(const std::string& path, const Rect& area);
    void DrawRow(const LevelListLayout& layout, int32_t slot, const ListRow& row);
    void DrawHeading(const LevelListLayout& layout, int32_t slot, int32_t set);
    void DrawMarks(const LevelMarks& marks, const std::optional<LevelGoals>& goals, const LevelRecord* record,
                   int32_t left, int32_t top);
    int32_t RowCount() const { return static_cast<int32_t>(rows_.size()); }

    std::vector<ShownSet> sets_;
    std::vector<SetStanding> standings_;
    std::vector<ListRow> rows_;
    int32_t chosen_ = -1;
    int32_t first_ = 0;     // a row
    int32_t hovered_ = -1;  // the level under the pointer; -1 when none
    std::string said_;      // a line about the chosen level, until the choice moves
    ScreenLook look_;
    // Pictures by level file path, made on the device they were drawn with.
    std::map<std::string, std::unique_ptr<Texture>> pictures_;
    RenderDevice* picturesDevice_ = nullptr;
};
