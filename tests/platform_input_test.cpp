#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

namespace {

TEST(EventKeyboard, AnswersDownNowAndPressedSinceTheLastQueryOfThatKey) {
    EventKeyboard keys;
    EXPECT_EQ(keys.GetAsyncKeyState('G'), 0);

    // A tap that goes down and up between two queries counts once, then never again.
    keys.KeyDown('G', false);
    keys.KeyUp('G');
    EXPECT_EQ(keys.GetAsyncKeyState('G'), Keyboard::kPressedSince);
    EXPECT_EQ(keys.GetAsyncKeyState('G'), 0);

    // Held down: the press shows once, the down bit every time; auto-repeats are no new press.
    keys.KeyDown(kVkSpace, false);
    EXPECT_EQ(keys.GetAsyncKeyState(kVkSpace), Keyboard::kDown | Keyboard::kPressedSince);
    keys.KeyDown(kVkSpace, true);
    EXPECT_EQ(keys.GetAsyncKeyState(kVkSpace), Keyboard::kDown);
    // The press bit of one key is not cleared by querying another.
    keys.KeyDown(kVkEscape, false);
    keys.GetAsyncKeyState(kVkSpace);
    EXPECT_EQ(keys.GetAsyncKeyState(kVkEscape), Keyboard::kDown | Keyboard::kPressedSince);
    keys.KeyUp(kVkSpace);
    EXPECT_EQ(keys.GetAsyncKeyState(kVkSpace), 0);

    // A repeat for a key never seen going down (held while the window got the keyboard) is down.
    keys.KeyDown('W', true);
    EXPECT_EQ(keys.GetAsyncKeyState('W'), Keyboard::kDown | Keyboard::kPressedSince);

    keys.Reset();
    EXPECT_EQ(keys.GetAsyncKeyState(kVkEscape), 0);
    // Codes outside the table are answered, not indexed.
    keys.KeyDown(300, false);
    EXPECT_EQ(keys.GetAsyncKeyState(300), 0);
    EXPECT_EQ(keys.GetAsyncKeyState(-1), 0);
}

LResult RecordingProc(Window*, uint32_t message, WParam wParam, LParam) {
    if (message == kWmDestroy) PostQuitMessage(static_cast<int>(wParam));
    return 7;
}

TEST(WindowMessages, PostedMessagesComeOutInOrderAndQuitFollowsDestroy) {
    WindowMessage m;
    while (PeekWindowMessage(&m)) {}
    PostWindowMessage({nullptr, kWmMouseMove, 0, MakeMouseLParam(3, 4)});
    PostWindowMessage({nullptr, kWmLButtonDown, kMkLButton, MakeMouseLParam(5, 6)});
    ASSERT_TRUE(PeekWindowMessage(&m));
    EXPECT_EQ(m.message, kWmMouseMove);
    EXPECT_EQ(MouseY(m.lParam), 4u);
    ASSERT_TRUE(PeekWindowMessage(&m));
    EXPECT_EQ(m.message, kWmLButtonDown);
    EXPECT_FALSE(PeekWindowMessage(&m));

    // Without a window, dispatch goes to the default procedure.
    EXPECT_EQ(DispatchWindowMessage({nullptr, kWmPaint, 0, 0}), 0);
    // A procedure that posts quit on destroy: the quit message is the next one out.
    RecordingProc(nullptr, kWmDestroy, 3, 0);
    ASSERT_TRUE(PeekWindowMessage(&m));
    EXPECT_EQ(m.message, kWmQuit);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_FALSE(PeekWindowMessage(&m));
}

TEST(MessageBox, WithoutADisplayTheMessageOnlyGoesToStderr) {
    // A box would wait for a click nobody gives; with the offscreen driver it must not appear.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessageBox("Error", "Error calling Present: Device was lost."), kIdOk);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Error calling Present: Device was lost.\n");
}

}  // namespace
