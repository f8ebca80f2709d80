#include "editor/EditorKeys.h"

#include "editor/LevelEditor.h"
#include "platform/Keyboard.h"

namespace {

struct Arrow {
    int vk;
    int32_t dx, dy;
    GridSide side;
};

constexpr Arrow kArrows[] = {{kVkLeft, -1, 0, GridSide::West},
                             {kVkRight, 1, 0, GridSide::East},
                             {kVkUp, 0, -1, GridSide::North},
                             {kVkDown, 0, 1, GridSide::South}};

// Acts on one key press; false when the key is none of the editor's.
bool Act(const KeyPress& press, LevelEditor& editor) {
    for (const Arrow& arrow : kArrows) {
        if (press.vk != arrow.vk) continue;
        if (press.ctrl) editor.Resize(arrow.side, !press.shift);
        else editor.MoveCursor(arrow.dx, arrow.dy);
        return true;
    }
    switch (press.vk) {
        case kVkTab: editor.NextKind(press.shift ? -1 : 1); return true;
        case 'R': editor.TurnClockwise(); return true;
        case kVkReturn: editor.Place(); return true;
        case kVkDelete: editor.Remove(); return true;
        case 'S':
            if (press.ctrl) editor.Save();
            else editor.PlaceStartHere();
            return true;
        case 'F': editor.PlaceFinishHere(); return true;
        case kVkPlus: editor.ChangeSpeedBy(1); return true;
        case kVkMinus: editor.ChangeSpeedBy(-1); return true;
        case 'Z':
            if (press.ctrl) editor.Undo();
            return press.ctrl;
        case 'Y':
            if (press.ctrl) editor.Redo();
            return press.ctrl;
        default: return false;
    }
}

}  // namespace

void EditorKeys::Drain(Keyboard& keyboard) { keyboard.TakeKeyPresses(); }

EditorRequest EditorKeys::Poll(Keyboard& keyboard, LevelEditor& editor) {
    // Every press acts, in the order made, however many fall into one slow frame; the presses
    // after a test play or a quit stay for later frames.
    std::vector<KeyPress> presses = keyboard.TakeKeyPresses();
    for (size_t i = 0; i < presses.size(); ++i) {
        const KeyPress& press = presses[i];
        if (press.vk == kVkEscape) {
            if (!editor.Unsaved() || escapeArmed_) return EditorRequest::Quit;
            escapeArmed_ = true;
            prompt_ = "Unsaved changes: Escape again quits without saving, Ctrl+S saves.";
            continue;
        }
        if (press.vk == kVkSpace) {
            escapeArmed_ = false;
            prompt_.clear();
            return EditorRequest::TestPlay;
        }
        if (Act(press, editor)) {
            escapeArmed_ = false;
            prompt_.clear();
        }
    }
    return EditorRequest::None;
}
