#pragma once
#include <string>

class Keyboard;
class LevelEditor;

// What the editor's keys ask of the shell beyond the edits they make themselves.
enum class EditorRequest { None, TestPlay, Quit };

// The editor's keys, taken once a frame as the presses made since (in order, each with the
// modifiers held when it was made): arrows move the cursor, Ctrl+arrow grows the grid at
// that side and Ctrl+Shift+arrow shrinks it, Tab and Shift+Tab choose the kind, R turns it, Enter
// places, Delete removes, S and F set the start and finish, + and - change the speed, Ctrl+Z and
// Ctrl+Y undo and redo, Ctrl+S saves, Space asks for a test play, Escape asks to quit. With
// unsaved changes the first Escape only sets *prompt (the question), and a second Escape in a row
// quits; any other key of the editor clears the question. Presses after Space are dropped.
class EditorKeys {
public:
    EditorRequest Poll(Keyboard& keyboard, LevelEditor& editor);
    const std::string& prompt() const { return prompt_; }
    // Withdraws the question about unsaved changes, as any edit does (a click that places, say):
    // the next Escape asks again.
    void Withdraw() {
        escapeArmed_ = false;
        prompt_.clear();
    }
    // Reads and forgets every key pressed so far (after a test play, whose keys are not edits).
    void Drain(Keyboard& keyboard);

private:
    std::string prompt_;
    bool escapeArmed_ = false;
};
