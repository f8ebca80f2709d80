#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/Sharing.h"
#include "profile/OwnLevels.h"
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
// Below the sets, the new levels: the own level in play again, a new easy, medium or hard level
// from a random seed, one from a seed the player types (Enter opens the field; while it is open
// keys type into it and do nothing else) and the day's level. The line above the keys shows the
// chosen level's seed or code; Ctrl+C copies it, Ctrl+V plays the code on the clipboard.
class LevelListScreen : public Screen {
public:
    // The list with the current level chosen (the first level shown when its set is closed).
    LevelListScreen();
    ~LevelListScreen() override;
    ScreenChange Update(ScreenFrame& frame) override;
    void Draw(const ScreenFrame& frame) override;
    TouchButtonSet TouchButtons() const override { return TouchButtonSet::Back; }
    // Back from watching: the list as it was left.
    void Resume() override {}

    // The chosen level (index in levels.txt; -1 when the list shows none or a new level is
    // chosen), the first row shown, the level under the pointer (-1: none).
    int32_t chosen() const { return LevelAt(chosenRow_); }
    int32_t first() const { return first_; }
    int32_t hovered() const { return LevelAt(hoveredRow_); }
    const std::string& said() const { return said_; }
    // The new level chosen; empty when a listed level is.
    std::optional<NewLevel> chosenNew() const;
    // The seed being typed; empty when the field is closed.
    bool typing() const { return typing_; }
    const std::string& typed() const { return typed_; }
    // What Ctrl+C copies of the chosen row (a seed or a code); empty when nothing.
    std::string ShareText();

private:
    // A level to make from a seed, on the frame after the one that says so.
    struct Making {
        std::string seed;
        Difficulty difficulty = Difficulty::Medium;
    };

    int32_t LevelAt(int32_t row) const;
    void ChooseRow(int32_t row);
    ScreenChange Play(int32_t level);
    ScreenChange Watch(int32_t level);
    ScreenChange Activate(int32_t row);
    ScreenChange StartOwnLevel(const std::string& path, const LevelOrigin& origin);
    ScreenChange Make(const Making& making);
    ScreenChange Paste(Clipboard& clipboard);
    void Copy(Clipboard& clipboard);
    // Takes the presses while the seed field is open.
    ScreenChange Type(const std::vector<KeyPress>& presses);
    // Easy, medium, hard and round again (step 1), or back (step -1).
    void StepTypedDifficulty(int step);
    std::string ShareLine();
    // The line of keys (or, once a pad has been used, the pad's buttons) for what can be done now.
    std::string KeyLine(bool pad) const;
    void DrawNewRow(const LevelListLayout& layout, int32_t slot, const ListRow& row);
    void DrawNewHeading(const LevelListLayout& layout, int32_t slot);
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
    int32_t chosenRow_ = -1;
    int32_t first_ = 0;        // a row
    int32_t hoveredRow_ = -1;  // the row under the pointer; -1 when none
    std::string said_;         // a line about the chosen level, until the choice moves
    bool typing_ = false;
    bool swallowEscape_ = false;  // the Escape that closed the field is not also a way back
    std::string typed_;
    Difficulty typedDifficulty_ = Difficulty::Medium;
    std::optional<Making> making_;
    std::string daySeed_;
    std::optional<LevelRecord> dayRecord_;
    std::map<int32_t, std::string> codes_;  // the codes of listed levels, by level
    ScreenLook look_;
    // Pictures by level file path, made on the device they were drawn with.
    std::map<std::string, std::unique_ptr<Texture>> pictures_;
    RenderDevice* picturesDevice_ = nullptr;
};
