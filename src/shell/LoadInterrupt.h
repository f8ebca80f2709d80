#pragma once
#include <cstdint>

class InputPath;

// Lets a long level load be stopped: the window still answers while a large level is read.
class LoadInterrupt {
public:
    // Whether the load may go on: at most every 50 ms it takes the window's pending messages and
    // reads Escape through `input`; false (and the quit message queued) from the first time the
    // window was closed, quit was asked or Escape pressed, and ever after. Other messages are
    // dropped, as no level may be picked or shot at while one is being read.
    bool KeepLoadingLevel(InputPath& input);
    // True once KeepLoadingLevel has answered false: the program is to end.
    bool QuitAsked() const { return quitAsked_; }

private:
    bool quitAsked_ = false;
    int64_t lastLook_ = 0;
};
