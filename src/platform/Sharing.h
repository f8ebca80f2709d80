#pragma once
#include <string>

// The ways a player hands a level on: the clipboard and, in the browser, a link on the page.

// The text clipboard. The system's is the desktop's selection (in the browser: copying goes to
// the page's clipboard, and pasting gives the text of the last paste made into the page).
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Puts `text` on the clipboard; false when the system refused it.
    virtual bool Set(const std::string& text) = 0;
    // The text on the clipboard; empty when there is none.
    virtual std::string Get() = 0;
};

Clipboard& SystemClipboard();

// A clipboard of its own, for tests.
class MemoryClipboard : public Clipboard {
public:
    bool Set(const std::string& text) override {
        text_ = text;
        return true;
    }
    std::string Get() override { return text_; }

private:
    std::string text_;
};

// Shows, beside the game, a link that opens the level in play: the page's address with `query`
// ("code=…" or "seed=…&difficulty=…") as its options; empty hides it. Only the browser's page has
// one: elsewhere nothing happens.
void ShowLevelLink(const std::string& query);
