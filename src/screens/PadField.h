#pragma once
#include "screens/PadControl.h"

class Screen;

// The pad's field in the game: the window of g_device, the shootable objects of the level in
// play (not removed) whose tile centres lie in view, pointing as the mouse does (PointAtPixel).
class GamePadField : public PadField {
public:
    PadPixel Size() const override;
    std::vector<PadPixel> TargetPixels() const override;
    void PointAt(PadPixel pixel, bool fire) override;
};

// The pad's scene for the screen on top of the stack (null: none).
PadScene PadSceneOf(const Screen* top);

// The name of the screen on top for a pad script's report: "title", "introduction", "level
// complete", "game over", "play", "paused", "level list", "settings", "watching" or "elsewhere".
const char* PadScreenName(const Screen* top);
