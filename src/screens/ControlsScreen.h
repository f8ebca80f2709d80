#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "profile/Controls.h"
#include "screens/Screen.h"
#include "screens/ScreenLook.h"

// The controls page: every action with its key, in two columns, and "Defaults" last. Up, Down,
// Left and Right (or the pointer) choose; Return, Space or a click on an action waits for the
// next key or pad button pressed and gives it to the action, unless another action already acts
// with it on the same screens (the page then says which); Escape while waiting keeps the key.
// On "Defaults" they put every default key back. The back key goes back. Changes are saved at once.
class ControlsScreen : public Screen {
public:
    ControlsScreen() { look_.Measure(); }
    ScreenChange Update(ScreenFrame& frame) override;
    void Draw(const ScreenFrame& frame) override;
    TouchButtonSet TouchButtons() const override { return TouchButtonSet::Back; }

    // The row chosen: an action's index, or kActionCount for "Defaults".
    int32_t chosen() const { return chosen_; }
    // True while the page waits for a key for the chosen action.
    bool waiting() const { return waiting_; }
    // What the page last said ("F is already Fly down there", …).
    const std::string& said() const { return said_; }

private:
    static constexpr int32_t kRows = kActionCount + 1;
    int32_t RowsPerColumn() const { return (kRows + 1) / 2; }
    Rect RowRect(int32_t row) const;
    int32_t RowAt(int32_t x, int32_t y) const;
    void Activate();
    // Takes a key pressed while waiting.
    void Assign(int key);

    int32_t chosen_ = 0;
    int32_t hovered_ = -1;
    bool waiting_ = false;
    std::vector<int> swallowUp_;  // keys whose release is not to act: those pressed to give or keep a key
    std::string said_;
    ScreenLook look_;
};
