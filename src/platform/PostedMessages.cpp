#include "platform/PostedMessages.h"

#include <deque>

#include "platform/Window.h"

namespace {
std::deque<WindowMessage>& Posted() {
    static std::deque<WindowMessage> queue;
    return queue;
}
}  // namespace

bool TakePostedMessage(WindowMessage* message) {
    auto& posted = Posted();
    if (posted.empty()) return false;
    *message = posted.front();
    posted.pop_front();
    return true;
}

bool HasPostedMessage() { return !Posted().empty(); }

void ClearPostedMessages() { Posted().clear(); }

LResult DispatchWindowMessage(const WindowMessage& message) {
    if (message.window && message.window->Procedure())
        return message.window->Procedure()(message.window, message.message, message.wParam, message.lParam);
    return DefaultWindowProc(message.window, message.message, message.wParam, message.lParam);
}

LResult DefaultWindowProc(Window*, uint32_t, WParam, LParam) { return 0; }

void ValidateWindow(Window*) {}

void PostQuitMessage(int exitCode) { Posted().push_back({nullptr, kWmQuit, static_cast<WParam>(exitCode), 0}); }

void PostWindowMessage(const WindowMessage& message) { Posted().push_back(message); }
