#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "screens/InputPath.h"

namespace {

class InputPathTest : public ::testing::Test {
protected:
    FakeKeyboard keys;
    InputPath input;

    InputPathTest() { input.SetSource(&keys); }
    bool PressedSince(int vk) { return (input.GetAsyncKeyState(vk) & Keyboard::kPressedSince) != 0; }
    bool DownNow(int vk) { return (input.GetAsyncKeyState(vk) & Keyboard::kDown) != 0; }
    // The key events of this frame for `vk`, as 'D' (down) and 'U' (up).
    std::string EventsOf(int vk) const {
        std::string seen;
        for (const InputEvent& e : input.Events()) {
            if (e.key != vk) continue;
            if (e.kind == InputEvent::Kind::KeyDown) seen += 'D';
            if (e.kind == InputEvent::Kind::KeyUp) seen += 'U';
        }
        return seen;
    }
};

// A tap between two frames goes down in one frame and up in the next, and the polled view keeps
// it until the key is asked about, however many frames later, and then only once.
TEST_F(InputPathTest, ATapShorterThanAFrameIsSeenOnceWheneverItIsPolled) {
    keys.Set('G', Keyboard::kPressedSince);
    input.BeginFrame();
    EXPECT_TRUE(input.Went('G'));
    EXPECT_EQ(EventsOf('G'), "D");
    input.BeginFrame();
    EXPECT_FALSE(input.Went('G'));
    EXPECT_TRUE(input.Released('G'));
    EXPECT_EQ(EventsOf('G'), "U");
    input.BeginFrame();
    EXPECT_FALSE(input.Released('G'));
    EXPECT_EQ(EventsOf('G'), "");
    EXPECT_TRUE(PressedSince('G')) << "three frames later the tap is still there for the poll";
    EXPECT_FALSE(PressedSince('G')) << "and only for the first poll";
    input.BeginFrame();
    EXPECT_FALSE(PressedSince('G'));
}

// A held key goes down once and comes up once, and reads as down while held.
TEST_F(InputPathTest, AHeldKeyGoesDownOnceAndComesUpOnce) {
    keys.Set(kVkLeft, Keyboard::kDown | Keyboard::kPressedSince);
    input.BeginFrame();
    EXPECT_TRUE(input.Went(kVkLeft));
    for (int i = 0; i < 3; ++i) {
        input.BeginFrame();
        EXPECT_FALSE(input.Went(kVkLeft));
        EXPECT_FALSE(input.Released(kVkLeft));
        EXPECT_TRUE(DownNow(kVkLeft));
    }
    keys.Set(kVkLeft, 0);
    input.BeginFrame();
    EXPECT_TRUE(input.Released(kVkLeft));
    EXPECT_EQ(EventsOf(kVkLeft), "U");
    EXPECT_FALSE(DownNow(kVkLeft));
}

// For a screen that has just come up: a key held from before is no press (neither an event nor
// a pressed-since mark), only its release acts; a tap read before the restart is forgotten.
TEST_F(InputPathTest, RestartDropsHeldKeysAndEarlierTaps) {
    keys.Set(kVkSpace, Keyboard::kDown | Keyboard::kPressedSince);
    keys.Set(kVkEscape, Keyboard::kPressedSince);
    input.BeginFrame();
    input.Restart();
    EXPECT_FALSE(input.Went(kVkSpace));
    EXPECT_TRUE(input.Events().empty());
    EXPECT_FALSE(PressedSince(kVkEscape));
    input.BeginFrame();
    EXPECT_FALSE(input.Went(kVkSpace));
    EXPECT_EQ(EventsOf(kVkSpace), "");
    const uint16_t space = input.GetAsyncKeyState(kVkSpace);
    EXPECT_EQ(space, Keyboard::kDown) << "down, but not pressed since";
    keys.Set(kVkSpace, 0);
    input.BeginFrame();
    EXPECT_TRUE(input.Released(kVkSpace));
    EXPECT_FALSE(PressedSince(kVkEscape));
}

// A key read straight away between frames (a long load asking whether to stop) is still a press
// for the next frame and for the polled view.
TEST_F(InputPathTest, PeekPressedDoesNotLoseThePress) {
    keys.Set(kVkEscape, Keyboard::kPressedSince);
    EXPECT_TRUE(input.PeekPressed(kVkEscape));
    EXPECT_FALSE(input.PeekPressed(kVkSpace));
    input.BeginFrame();
    EXPECT_TRUE(input.Went(kVkEscape));
    EXPECT_EQ(EventsOf(kVkEscape), "D");
    EXPECT_TRUE(PressedSince(kVkEscape));
    EXPECT_FALSE(PressedSince(kVkEscape));
    input.BeginFrame();
    EXPECT_FALSE(input.Went(kVkEscape));
}

// Another device standing for a key (a pad's button for Space) is seen by both views as the
// keyboard's key would be: held, it is down in the polled view and goes down and up once as events;
// a press and release between two frames still counts once.
TEST_F(InputPathTest, AnotherDeviceHoldsKeysAsTheKeyboardDoes) {
    input.Hold(kVkSpace, true);
    input.BeginFrame();
    EXPECT_EQ(EventsOf(kVkSpace), "D");
    EXPECT_TRUE(DownNow(kVkSpace));
    input.BeginFrame();
    EXPECT_EQ(EventsOf(kVkSpace), "") << "held, not pressed again";
    input.Hold(kVkSpace, false);
    input.BeginFrame();
    EXPECT_EQ(EventsOf(kVkSpace), "U");
    EXPECT_FALSE(DownNow(kVkSpace));

    input.Hold(kVkEscape, true);
    input.Hold(kVkEscape, false);
    input.BeginFrame();
    EXPECT_EQ(EventsOf(kVkEscape), "D");
    EXPECT_TRUE(PressedSince(kVkEscape));
    input.BeginFrame();
    EXPECT_EQ(EventsOf(kVkEscape), "U");
    EXPECT_FALSE(PressedSince(kVkEscape)) << "once";
}

}  // namespace
