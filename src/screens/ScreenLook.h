#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/RenderDevice.h"

class InputPath;

// The title screen's look for the screens around play: its night-blue background, gold frame,
// serif typeface and colours, scaled with the back buffer (1024x768 is scale 1). Each screen owns
// one; its fonts are made for the back buffer's size and remade when that or the device changes.
class ScreenLook {
public:
    enum class Tone { Title, Text, Quiet, Won, Warning };
    enum class Size { Title, Text, Small };

    // Clears the back buffer to the background, draws the frame, the page's title and its key
    // line; begins the scene. False without a device.
    bool BeginPage(const std::string& title, const std::string& keys);
    // Ends the scene and presents it.
    void EndPage();
    // Reads the back buffer's size (and makes the fonts for it); BeginPage does it too.
    void Measure();
    // The back buffer's size and scale as last read.
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    float scale() const { return scale_; }
    // Pixels for a length of `units` at scale 1.
    int32_t Scaled(int32_t units) const;
    // The area inside the frame below the title and the key line.
    Rect Body() const;

    // Text from the point (left, top); nothing when it would not fit before `right` (0: the frame's
    // inner edge) at any of the sizes from `size` down.
    void Text(const std::string& text, int32_t left, int32_t top, Tone tone, Size size, int32_t right = 0);
    // The width of `text` drawn at `size`; 0 without fonts.
    int32_t TextWidth(const std::string& text, Size size) const;
    // A small square mark in the frame's gold: filled when `reached`, only its edge when not.
    void Mark(int32_t left, int32_t top, int32_t side, bool reached);
    // The height of one line of `size`.
    int32_t LineHeight(Size size) const;
    // Marks the chosen entry plainly (a lighter band with a gold edge) or the entry under the
    // pointer (a faint band).
    void MarkChosen(const Rect& rect);
    void MarkHovered(const Rect& rect);
    // One line over the game's scene, for watching a run: a band of the background at the bottom.
    void Overlay(const std::string& line, const std::string& corner);

private:
    Font* FontOf(Size size) const;
    int32_t width_ = 0, height_ = 0;
    float scale_ = 1.0f;
    RenderDevice* fontsDevice_ = nullptr;
    int32_t fontsHeight_ = 0;
    std::unique_ptr<Font> title_, text_, small_;
};

// M on a screen around play: music off and on when the key is released.
void ToggleMusicOnM(const InputPath& input);
