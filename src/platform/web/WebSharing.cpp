// The clipboard and the level's link in the browser's page.
#include <emscripten.h>

#include <vector>

#include "platform/Sharing.h"

EM_JS(void, CopyToPage, (const char* text), {
    var copied = UTF8ToString(text);
    Module.lastPaste = copied;
    if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(copied).catch(function() {});
});

// The page keeps the text of the last paste event (the browser gives a page the clipboard only so).
// Writes it into `buffer` (cut to `size` bytes with its NUL); gives its whole length in bytes.
EM_JS(int, PastedOnPage, (char* buffer, int size), {
    var text = Module.lastPaste || '';
    stringToUTF8(text, buffer, size);
    return lengthBytesUTF8(text);
});

EM_JS(void, LinkOnPage, (const char* query), {
    if (Module.showLevelLink) Module.showLevelLink(UTF8ToString(query));
});

namespace {
class PageClipboard : public Clipboard {
public:
    bool Set(const std::string& text) override {
        CopyToPage(text.c_str());
        return true;
    }
    // A paste longer than the longest level code is cut; decoding then refuses it.
    std::string Get() override {
        std::vector<char> buffer(128 * 1024);
        PastedOnPage(buffer.data(), static_cast<int>(buffer.size()));
        return std::string(buffer.data());
    }
};
}  // namespace

Clipboard& SystemClipboard() {
    static PageClipboard clipboard;
    return clipboard;
}

void ShowLevelLink(const std::string& query) { LinkOnPage(query.c_str()); }
