#pragma once
#include <cstdint>
#include <string>

// A stamp of what a frame's picture is drawn from, for skipping frames whose picture would not
// change: two frames with the same stamp show the same picture. 0 stands for "changes every frame"
// and is never the stamp of a picture that can stand still.

// Adds values to a stamp, byte by byte (64-bit FNV-1a).
class PictureStamp {
public:
    template <class T>
    PictureStamp& Add(const T& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (size_t i = 0; i < sizeof(T); ++i) hash_ = (hash_ ^ bytes[i]) * 0x100000001B3ull;
        return *this;
    }
    PictureStamp& AddText(const std::string& text);
    // The stamp; never 0.
    uint64_t Value() const { return hash_ ? hash_ : 1; }

private:
    uint64_t hash_ = 0xCBF29CE484222325ull;
};

// The stamp of the next frame of play (RenderGame) with the frame rate `fps`; 0 while a notice of
// ShowHudNotice is shown, whose time runs with the frames drawn.
uint64_t PlayPictureStamp(int32_t fps);
// The stamp of the next menu screen's frame (RenderMenus).
uint64_t MenuPictureStamp();
