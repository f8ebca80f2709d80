#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "screens/LevelListLayout.h"
#include "screens/Screen.h"
#include "screens/ScreenLook.h"

class RenderDevice;
class Texture;

// The level list: every level of levels.txt with its number, name, a picture of its opening view,
// whether it was won, its best score and time. Up and Down (and the wheel) choose, the pointer
// chooses the row under it, Space, Enter or a click play the chosen level, which becomes the
// current one, W watches its best run, Escape goes back to the title. Pictures are drawn the
// first time they are shown and kept while the screen lives.
class LevelListScreen : public Screen {
public:
    // The list with the current level chosen.
    LevelListScreen();
    ~LevelListScreen() override;
    ScreenChange Update(ScreenFrame& frame) override;
    void Draw(const ScreenFrame& frame) override;
    // Back from watching: the list as it was left.
    void Resume() override {}

    int32_t chosen() const { return chosen_; }
    int32_t first() const { return first_; }
    int32_t hovered() const { return hovered_; }
    const std::string& said() const { return said_; }

private:
    void Choose(int32_t level);
    ScreenChange Play(int32_t level);
    ScreenChange Watch(int32_t level);
    LevelListLayout Layout() const;
    Texture* PictureOf(const std::string& path, const Rect& area);
    void DrawRow(const LevelListLayout& layout, int32_t slot, int32_t level);

    int32_t chosen_ = 0;
    int32_t first_ = 0;
    int32_t hovered_ = -1;  // the level under the pointer; -1 when none
    std::string said_;      // a line about the chosen level, until the choice moves
    ScreenLook look_;
    // Pictures by level file path, made on the device they were drawn with.
    std::map<std::string, std::unique_ptr<Texture>> pictures_;
    RenderDevice* picturesDevice_ = nullptr;
};
