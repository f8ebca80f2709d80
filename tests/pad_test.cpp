#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/PadScript.h"
#include "screens/InputPath.h"
#include "screens/PadControl.h"

namespace {

// An 800 x 600 window whose targets the test places, remembering where the pad pointed and fired.
class FakeField : public PadField {
public:
    std::vector<PadPixel> targets;
    std::vector<PadPixel> pointed, fired;
    PadPixel Size() const override { return {800, 600}; }
    std::vector<PadPixel> TargetPixels() const override { return targets; }
    void PointAt(PadPixel pixel, bool fire) override { (fire ? fired : pointed).push_back(pixel); }
};

class PadTest : public ::testing::Test {
protected:
    FakeKeyboard keys;
    InputPath input;
    FakeField field;
    PadControl pad;
    PadSnapshot now;

    PadTest() {
        input.SetSource(&keys);
        now.lead.connected = true;
    }
    // One frame `dt` seconds long on `scene` with the pad as `now` holds it.
    void Frame(PadScene scene, float dt = 0.01f) {
        pad.Update(now, scene, dt, field, input);
        input.BeginFrame();
        now.leadPulledOut = false;
    }
    void Set(PadButton b, bool down) { now.lead.buttons[static_cast<int>(b)] = down; }
    void Tap(PadButton b, PadScene scene) {
        Set(b, true);
        Frame(scene);
        Set(b, false);
        Frame(scene);
    }
    void Stick(float x, float y) {
        now.lead.axes[static_cast<int>(PadAxis::LeftX)] = x;
        now.lead.axes[static_cast<int>(PadAxis::LeftY)] = y;
    }
};

TEST(StickResponse, RestsInTheDeadZoneThenRisesSquaredToTheEdge) {
    EXPECT_EQ(StickResponse(0.2f), 0.0f);
    EXPECT_EQ(StickResponse(-0.19f), 0.0f);
    EXPECT_FLOAT_EQ(StickResponse(0.6f), 0.25f);
    EXPECT_FLOAT_EQ(StickResponse(-0.6f), -0.25f);
    EXPECT_FLOAT_EQ(StickResponse(1.0f), 1.0f);
    EXPECT_FLOAT_EQ(StickResponse(-1.5f), -1.0f);
}

// The aim starts at the window's centre, crosses the larger side in a second at full push, moves
// at a quarter of that half-way out, never leaves the window and ignores a drifting stick.
TEST_F(PadTest, TheLeftStickMovesTheAimByItsCurveWithinTheWindow) {
    Stick(0.14f, -0.14f);
    Frame(PadScene::Play, 1.0f);
    EXPECT_TRUE(field.pointed.empty());
    EXPECT_EQ(pad.Aim(), (PadPixel{400, 300}));
    Stick(0.6f, 0.0f);
    Frame(PadScene::Play, 0.5f);
    EXPECT_EQ(pad.Aim(), (PadPixel{500, 300}));
    ASSERT_FALSE(field.pointed.empty());
    EXPECT_EQ(field.pointed.back(), pad.Aim());
    Stick(1.0f, -1.0f);
    Frame(PadScene::Play, 5.0f);
    EXPECT_EQ(pad.Aim(), (PadPixel{799, 0}));
    Stick(-1.0f, 1.0f);
    Frame(PadScene::Play, 5.0f);
    EXPECT_EQ(pad.Aim(), (PadPixel{0, 599}));
}

// A fires once a press, where the aim is; a press held from the title into play does not fire.
TEST_F(PadTest, AFiresAtTheAimOncePerPressMadeInPlay) {
    Set(PadButton::A, true);
    Frame(PadScene::Title);
    Frame(PadScene::Play);
    EXPECT_TRUE(field.fired.empty());
    Set(PadButton::A, false);
    Frame(PadScene::Play);
    Stick(1.0f, 0.0f);
    Frame(PadScene::Play, 0.1f);
    Stick(0.0f, 0.0f);
    Set(PadButton::A, true);
    Frame(PadScene::Play);
    Frame(PadScene::Play);
    ASSERT_EQ(field.fired.size(), 1u);
    EXPECT_EQ(field.fired[0], (PadPixel{480, 300}));
}

// The right shoulder walks the targets nearest the aim first, the left one walks back.
TEST_F(PadTest, TheShouldersStepThroughTheTargetsNearestFirst) {
    field.targets = {{100, 100}, {420, 310}, {600, 300}, {400, 500}};
    Frame(PadScene::Play);
    std::vector<PadPixel> seen;
    for (PadButton b : {PadButton::RightShoulder, PadButton::RightShoulder, PadButton::RightShoulder,
                        PadButton::LeftShoulder, PadButton::LeftShoulder}) {
        Tap(b, PadScene::Play);
        seen.push_back(pad.Aim());
    }
    const std::vector<PadPixel> expected = {{420, 310}, {600, 300}, {400, 500}, {600, 300}, {420, 310}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(field.pointed, expected);
}

// Start is Pause and Back is Escape in play; A and Start are Space on the menus, Y is F1; B is
// Escape on every menu screen but the title (where Escape ends the game), where X is L.
TEST_F(PadTest, ButtonsStandForTheKeysOfEachScreen) {
    struct Case { PadScene scene; PadButton button; int key; };
    const Case cases[] = {
        {PadScene::Play, PadButton::Start, kVkPause},   {PadScene::Play, PadButton::Back, kVkEscape},
        {PadScene::Title, PadButton::A, kVkSpace},      {PadScene::Title, PadButton::Start, kVkSpace},
        {PadScene::Title, PadButton::Y, kVkF1},         {PadScene::Title, PadButton::X, 'L'},
        {PadScene::Title, PadButton::Back, kVkEscape},  {PadScene::Menu, PadButton::B, kVkEscape},
        {PadScene::Choosing, PadButton::A, kVkReturn},  {PadScene::Choosing, PadButton::B, kVkEscape},
        {PadScene::Choosing, PadButton::DpadDown, kVkDown}};
    for (const Case& c : cases) {
        Frame(c.scene);
        Set(c.button, true);
        Frame(c.scene);
        EXPECT_TRUE(input.Went(c.key)) << c.key;
        Set(c.button, false);
        Frame(c.scene);
        EXPECT_TRUE(input.Released(c.key)) << c.key;
    }
    Frame(PadScene::Title);
    Set(PadButton::B, true);
    Frame(PadScene::Title);
    EXPECT_FALSE(input.Went(kVkEscape));
}

// Paused, the left stick holds W S A D, the right stick the arrows, the triggers R and F; a stick
// pushed less than half-way holds nothing.
TEST_F(PadTest, WhilePausedTheSticksAndTriggersFlyTheCamera) {
    Frame(PadScene::Paused);
    now.lead.axes = {0.4f, -1.0f, 1.0f, 0.0f, 0.0f, 1.0f};
    Frame(PadScene::Paused);
    for (int key : {int{'W'}, kVkRight, int{'R'}}) EXPECT_TRUE(input.Went(key)) << key;
    for (int key : {int{'A'}, int{'D'}, int{'S'}, int{'F'}, kVkUp, kVkLeft}) EXPECT_FALSE(input.Went(key)) << key;
    now.lead.axes = {-1.0f, 0.0f, 0.0f, -1.0f, 1.0f, 0.0f};
    Frame(PadScene::Paused);
    for (int key : {int{'A'}, kVkUp, int{'F'}}) EXPECT_TRUE(input.Went(key)) << key;
}

// An arrow held on a choosing screen presses again after 0.4 s, then every 0.1 s.
TEST_F(PadTest, AHeldArrowRepeats) {
    Frame(PadScene::Choosing);
    Set(PadButton::DpadUp, true);
    int presses = 0;
    for (int frame = 0; frame < 70; ++frame) {
        Frame(PadScene::Choosing);
        presses += input.Went(kVkUp) ? 1 : 0;
    }
    EXPECT_EQ(presses, 4);  // at 0, 0.4, 0.5 and 0.6 s
}

// The leading pad pulled out in play presses Pause for a frame; paused already, nothing.
TEST_F(PadTest, PullingThePadOutPausesPlay) {
    Frame(PadScene::Play);
    now = PadSnapshot{};
    now.leadPulledOut = true;
    Frame(PadScene::Play);
    EXPECT_TRUE(input.Went(kVkPause));
    Frame(PadScene::Play);
    EXPECT_TRUE(input.Released(kVkPause));
    now.leadPulledOut = true;
    Frame(PadScene::Paused);
    EXPECT_FALSE(input.Went(kVkPause));
}

// No pad: no key held, nothing pointed at.
TEST_F(PadTest, NoPadChangesNothing) {
    now = PadSnapshot{};
    for (PadScene scene : {PadScene::Title, PadScene::Play, PadScene::Choosing}) Frame(scene, 1.0f);
    EXPECT_TRUE(input.Events().empty());
    EXPECT_TRUE(field.pointed.empty() && field.fired.empty());
}

// What a script says and where a bad one is wrong.
TEST(PadScript, ReadsEventsAndNamesTheLineOfAMistake) {
    std::vector<PadScriptEvent> events;
    int line = 0;
    std::string why;
    ASSERT_TRUE(ParsePadScript("# start\n\nat 1 button a down\n  at 1.5 axis lefty -0.5\nat 2 button dpright up\n",
                               &events, &line, &why)) << why;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].control, static_cast<int>(PadButton::A));
    EXPECT_EQ(events[0].value, 1.0f);
    EXPECT_FALSE(events[1].button);
    EXPECT_EQ(events[1].control, static_cast<int>(PadAxis::LeftY));
    EXPECT_EQ(events[1].value, -0.5f);
    EXPECT_EQ(events[2].control, static_cast<int>(PadButton::DpadRight));
    EXPECT_EQ(events[2].value, 0.0f);
    const std::pair<const char*, int> bad[] = {
        {"at 1 button a down\nat 0.5 button a up\n", 2},  {"\n\nat 1 button z down\n", 3},
        {"at 1 axis leftx 1.5\n", 1},                     {"at x button a down\n", 1},
        {"at 1 button a down now\n", 1},                  {"at 1 button a pressed\n", 1},
        {"at 1 axis a 0\n", 1},                           {"at -1 button a down\n", 1}};
    for (const auto& [text, where] : bad) {
        EXPECT_FALSE(ParsePadScript(text, &events, &line, &why)) << text;
        EXPECT_EQ(line, where) << text;
    }
}

TEST(PadScript, RefusesMoreThanItsBounds) {
    std::vector<PadScriptEvent> events;
    int line = 0;
    std::string why;
    std::string many;
    for (size_t i = 0; i < kPadScriptMaxEvents; ++i) many += "at 1 button a up\n";
    EXPECT_TRUE(ParsePadScript(many, &events, &line, &why)) << why;
    EXPECT_FALSE(ParsePadScript(many + "at 1 button a up\n", &events, &line, &why));
    EXPECT_EQ(line, static_cast<int>(kPadScriptMaxEvents) + 1);
}

}  // namespace
