#include <gtest/gtest.h>

#include "GameFixture.h"
#include "graphics/GraphicsSetup.h"
#include "math/MathFunctions.h"
#include "platform/Keyboard.h"
#include "screens/InputPath.h"
#include "shell/FrameTimer.h"
#include "shell/MainLoop.h"
#include "shell/TouchGesture.h"
#include "shell/WindowProc.h"
#include "state/LevelProgression.h"

namespace {
// Play on a 1024 by 768 picture looking straight down on (20, 30), driven by touches alone.
class TouchTest : public GameFixture {
protected:
    FakeKeyboard keys;  // never pressed
    FrameTimer timer{1000, 0};
    int64_t now = 0;

    void SetUp() override {
        GameFixture::SetUp();
        SetInputKeyboard(&keys);
        PlaneFromPointNormal(&g_floorPlane, Vec3(0, 0, 0), Vec3(0, 0, 1));
        g_projection = GameProjection(1024, 768);
        device.SetTransform(TransformType::Projection, g_projection);
        Camera camera;
        camera.position = Vec3(20, 30, 40), camera.look = Vec3(0, 0, -1), camera.up = Vec3(0, -1, 0);
        camera.right = Vec3(1, 0, 0);
        g_camera = camera;
        g_level->trainX = 1, g_level->trainY = 2;
        g_level->speed = 100.0f;  // the train stays on its tile through a test
        catalogue.levels = {"no such level"};
    }
    void TearDown() override {
        SetInputKeyboard(nullptr);
        GameFixture::TearDown();
    }
    // One frame; false when the program would end.
    bool Frame() {
        now += 20;
        device.ClearCalls();
        return RunFrame(timer, now);
    }
    void Touch(uint32_t message, int x, int y) { WindowProc(nullptr, message, 0, MakeMouseLParam(x, y)); }
    // A finger put down and lifted at (x, y) with a frame in between; false when the program would end.
    bool Tap(int x, int y) {
        Touch(kWmTouchDown, x, y);
        const bool on = Frame();
        Touch(kWmTouchUp, x, y);
        return Frame() && on;
    }
    bool Drew(const std::string& text) {
        for (const RecordedCall& call : device.CallsNamed("DrawText"))
            if (call.text == text) return true;
        return false;
    }
};
}  // namespace

// A tap in play fires at the floor under it, as a click does; only after that first touch are the
// Pause and Back buttons drawn (top right), and a tap on them acts as their key and fires nothing.
TEST_F(TouchTest, TapInPlayFiresThereAndTheButtonsComeWithTheFirstTouch) {
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(Drew("Back"));
    EXPECT_FALSE(Drew("Pause"));
    ASSERT_TRUE(Tap(512, 384));
    ASSERT_EQ(g_bullets.size(), 1u);
    const Bullet& b = g_bullets[0];
    EXPECT_EQ(b.origin, Vec3(15.0f, 25.0f, 3.0f));
    EXPECT_NEAR(b.direction.x, b.direction.y, 1e-5f) << "towards (20, 30, 0), under the tap";
    EXPECT_GT(b.direction.x, 0.0f);
    EXPECT_TRUE(Drew("Back"));
    EXPECT_TRUE(Drew("Pause"));

    const int y = 40;
    ASSERT_TRUE(Tap(1024 - 60, y));  // Back, in the corner
    EXPECT_TRUE(g_showTitleMenu);
    EXPECT_EQ(g_bullets.size(), 1u) << "a tap on a button fires nothing";
    g_showTitleMenu = false;
    ASSERT_TRUE(Frame());  // the title shows no buttons; play shows them again
    ASSERT_TRUE(Tap(1024 - 260, y));  // Pause, beside it
    EXPECT_TRUE(g_paused);
    ASSERT_TRUE(Tap(1024 - 260, y));
    EXPECT_FALSE(g_paused);
    EXPECT_EQ(g_bullets.size(), 1u);
}

// On the title (drawn as the game draws it, 1024 by 768) a tap on a line of the key list is that
// key: L opens the level list, where Back comes back; Escape quits. A tap anywhere else plays.
TEST_F(TouchTest, TitleLinesAreTheirKeysAndATapElsewherePlays) {
    g_showTitleMenu = true;
    ASSERT_TRUE(Frame());
    ASSERT_TRUE(Tap(313, 350));  // "L:   choose a level"
    EXPECT_TRUE(ScreensTakeMouse());
    EXPECT_TRUE(g_showTitleMenu);
    ASSERT_TRUE(Tap(1024 - 60, 40));  // Back
    EXPECT_FALSE(ScreensTakeMouse());
    EXPECT_TRUE(g_showTitleMenu);

    const uint64_t starts = LevelStartCount();
    ASSERT_TRUE(Tap(512, 350));  // between the columns
    EXPECT_FALSE(g_showTitleMenu);
    EXPECT_EQ(LevelStartCount(), starts + 1);

    g_showTitleMenu = true;
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(Tap(711, 390)) << "Escape:   quit";
}

// The introduction answers only Back; level complete and game over take any tap as Space.
TEST_F(TouchTest, IntroductionTakesOnlyBackAndTheEndScreensTakeATapAsSpace) {
    g_showIntroduction = true;
    ASSERT_TRUE(Tap(512, 384));
    EXPECT_TRUE(g_showIntroduction);
    EXPECT_FALSE(g_showTitleMenu);
    ASSERT_TRUE(Tap(1024 - 60, 40));
    EXPECT_TRUE(g_showTitleMenu);
    EXPECT_FALSE(g_showIntroduction);

    g_showTitleMenu = false;
    g_level->lost = true;
    const uint64_t starts = LevelStartCount();
    ASSERT_TRUE(Tap(1024 - 60, 40));  // no Back button on game over: the tap is Space too
    EXPECT_EQ(LevelStartCount(), starts + 1);
    ASSERT_TRUE(g_level);
    g_level->won = true;
    g_levelIndex = 0;
    ASSERT_TRUE(Tap(100, 600));
    EXPECT_GE(LevelStartCount(), starts + 2);
    EXPECT_FALSE(g_level && g_level->won);
}

// On a screen that takes the mouse a finger dragged up or down turns the wheel a notch per step
// (a sixteenth of the picture's height, 48 pixels here), down being away; a finger lifted where it
// was put down clicks there.
TEST(TouchGestureTest, DragTurnsTheWheelAndATapClicksWhereLifted) {
    InputPath input;
    FakeKeyboard keys;
    input.SetSource(&keys);
    TouchGesture touch;
    touch.Take(kWmTouchDown, 300, 400, true, 768, input);
    touch.Take(kWmTouchMove, 300, 430, true, 768, input);
    touch.Take(kWmTouchMove, 300, 500, true, 768, input);  // 2 notches: the drag has begun at 448
    touch.Take(kWmTouchMove, 300, 290, true, 768, input);  // back 4 and a bit
    touch.Take(kWmTouchUp, 300, 290, true, 768, input);
    input.BeginFrame();
    ASSERT_EQ(input.Events().size(), 2u) << "a drag is no click";
    EXPECT_EQ(input.Events()[0].kind, InputEvent::Kind::Wheel);
    EXPECT_EQ(input.Events()[0].notches, 2);
    EXPECT_EQ(input.Events()[1].notches, -4);
    EXPECT_TRUE(input.Touched());

    touch.Take(kWmTouchDown, 300, 400, true, 768, input);
    touch.Take(kWmTouchMove, 310, 420, true, 768, input);
    touch.Take(kWmTouchUp, 310, 420, true, 768, input);
    input.BeginFrame();
    ASSERT_EQ(input.Events().size(), 2u);
    EXPECT_EQ(input.Events()[0].kind, InputEvent::Kind::MouseMove);
    EXPECT_EQ(input.Events()[1].kind, InputEvent::Kind::LeftClick);
    EXPECT_EQ(input.Events()[1].x, 310);
    EXPECT_EQ(input.Events()[1].y, 420);
}
