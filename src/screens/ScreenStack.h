#pragma once
#include <memory>
#include <vector>

#include "screens/Screen.h"

// The screens that are up, the top one taking the frame. The main loop owns one.
class ScreenStack {
public:
    // Makes `screen` the only one, as the game starts: the input goes on as it was.
    void Start(std::unique_ptr<Screen> screen) {
        screens_.clear();
        if (screen) screens_.push_back(std::move(screen));
    }
    // Puts `screen` on top; the input restarts, so keys held now only act when released.
    void Push(std::unique_ptr<Screen> screen, InputPath& input);
    // The screen on top; null when none is up.
    Screen* Top() const { return screens_.empty() ? nullptr : screens_.back().get(); }
    size_t Size() const { return screens_.size(); }
    // Runs the top screen's update and applies the change it asks for (the screen that is then on
    // top draws the frame); false on quit or when no screen is left.
    bool Update(ScreenFrame& frame);
    void Clear() { screens_.clear(); }

private:
    std::vector<std::unique_ptr<Screen>> screens_;
};
