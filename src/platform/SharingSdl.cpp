#include <SDL.h>

#include "platform/Sharing.h"

namespace {
class SdlClipboard : public Clipboard {
public:
    bool Set(const std::string& text) override { return SDL_SetClipboardText(text.c_str()) == 0; }
    std::string Get() override {
        char* text = SDL_GetClipboardText();
        if (!text) return "";
        std::string copy(text);
        SDL_free(text);
        return copy;
    }
};
}  // namespace

Clipboard& SystemClipboard() {
    static SdlClipboard clipboard;
    return clipboard;
}

void ShowLevelLink(const std::string&) {}
