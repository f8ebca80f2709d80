#pragma once
#include <string>

// Answer of a message box whose OK button was pressed (or that could not be shown).
constexpr int kIdOk = 1;

// Shows a modal message box with an OK button, and writes "caption: text" to stderr. With no
// display (or a video driver that draws nowhere) it only writes. Returns kIdOk.
int ShowMessageBox(const std::string& caption, const std::string& text);

// Shows (true) or hides (false) the system's mouse cursor over the game's window.
void ShowCursor(bool show);
