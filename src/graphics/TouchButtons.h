#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/RenderTypes.h"

// The buttons a touch screen shows over a picture in place of keys, in back-buffer pixels.

// Which buttons a screen offers a finger: none, Back (Escape), or Pause and Back over play.
enum class TouchButtonSet { None, Back, PauseAndBack };

struct TouchButton {
    Rect rect;          // where it is drawn and answers
    int key = 0;        // the virtual-key code a tap on it stands for
    std::string label;  // the word drawn on it
};

// The buttons of `set` laid out in the top-right corner of a `width` by `height` picture (clear
// of the texts play and the pages draw on the left), Back outermost, sized to the picture.
std::vector<TouchButton> LayTouchButtons(TouchButtonSet set, int32_t width, int32_t height);

// Makes `buttons` the ones drawn over every picture from now on and answering taps (none: the default).
void ShowTouchButtons(std::vector<TouchButton> buttons);
// The key of the shown button under (x, y); 0 when no button is there.
int TouchButtonKeyAt(int32_t x, int32_t y);
// Draws the shown buttons on g_device (inside a scene, before the picture is presented).
void DrawTouchButtons();
// Forgets the shown buttons and the labels' typeface, as when the device goes.
void ForgetTouchButtons();
