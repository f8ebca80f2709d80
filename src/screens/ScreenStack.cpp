#include "screens/ScreenStack.h"

#include "screens/InputPath.h"

void ScreenStack::Push(std::unique_ptr<Screen> screen, InputPath& input) {
    if (!screen) return;
    screens_.push_back(std::move(screen));
    input.Restart();
}

bool ScreenStack::Update(ScreenFrame& frame) {
    Screen* top = Top();
    if (!top) return false;
    ScreenChange change = top->Update(frame);
    switch (change.kind) {
        case ScreenChange::Kind::Stay: break;
        case ScreenChange::Kind::Push: Push(std::move(change.next), frame.input); break;
        case ScreenChange::Kind::Pop:
            screens_.pop_back();
            if (screens_.empty()) return false;
            frame.input.Restart();
            screens_.back()->Resume();
            break;
        case ScreenChange::Kind::Quit: return false;
    }
    return true;
}
