// Keys of the player's choosing: which keys an action may take, how they are kept in
// settings.json, the controls page, and the game's keys following them.
#include <gtest/gtest.h>

#include <sstream>

#include "GameFixture.h"
#include "ScreenDriver.h"
#include "TempDir.h"
#include "platform/GamePad.h"
#include "platform/KeyNames.h"
#include "platform/Keyboard.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileSession.h"
#include "profile/Settings.h"
#include "screens/ControlsScreen.h"
#include "screens/GameKeys.h"
#include "screens/InputPath.h"
#include "screens/PadControl.h"
#include "screens/SettingsScreen.h"

namespace {
const int kPadA = PadButtonKey(0), kPadY = PadButtonKey(3);

// The profile's settings outlive a test: each test puts them back as they were.
class Controlled : public GameFixture, public ScreenDriver {
protected:
    Settings before;

    void SetUp() override {
        GameFixture::SetUp();
        before = SettingsAsShown();
    }
    void TearDown() override {
        ChangeSettings(before);
        GameFixture::TearDown();
    }
};
}  // namespace

TEST(KeyNames, EveryKeyReadsBackFromItsName) {
    for (const auto& [vk, name] : {std::pair<int, const char*>{'K', "K"}, {'7', "7"}, {kVkF11, "F11"}, {kVkEscape, "Escape"},
                                   {kVkPause, "Pause"}, {kVkPlus, "="}, {kPadA, "pad:a"}, {PadButtonKey(14), "pad:dpright"}}) {
        EXPECT_EQ(KeyName(vk), name);
        EXPECT_EQ(KeyFromName(name), vk);
    }
    for (const char* none : {"", "k", "F13", "pad:", "pad:z", "Escape "}) EXPECT_EQ(KeyFromName(none), 0) << none;
    EXPECT_EQ(PadButtonKey(kPadButtonCount), 0);
}

// A key is refused only where both would act: by another action, or by a key a screen keeps.
TEST(Controls, AKeyIsRefusedOnlyWhereAnotherActionActsWithIt) {
    Controls controls;
    struct Case {
        Action action;
        int key;
        const char* refusal;  // "" when given
    } cases[] = {
        {Action::Grid, 'F', "F is already Fly down there"},
        {Action::LevelList, 'W', ""},          // the title against paused play
        {Action::Back, 'S', "S is already Walk back there"},
        {Action::Pause, kVkSpace, ""},         // Space plays on the title, pause acts in play
        {Action::LevelList, kVkSpace, "Space already plays, goes on or chooses there"},
        {Action::Hint, kPadA, "pad:a already fires, plays or chooses there"},
        {Action::Pause, kPadY, ""},
        {Action::Settings, kPadY, "pad:y already opens the introduction or watches a run there"},
        {Action::RollRight, 'M', ""},          // shared with the music by default
        {Action::Grid, 'M', "M is already Music on or off there"},
        {Action::Grid, 'G', ""},               // its own key
    };
    for (const Case& c : cases) EXPECT_EQ(WhyNotKey(controls, c.action, c.key), c.refusal) << ActionName(c.action);
    // Given away and back: the default pair is still a pair.
    controls.keys[static_cast<size_t>(Action::RollRight)] = 'K';
    EXPECT_EQ(WhyNotKey(controls, Action::RollRight, 'M'), "");
    EXPECT_EQ(WhyNotKey(controls, Action::Grid, 'K'), "K is already Roll right there");
}

// Only changed keys are written, so a player who never changed one keeps the file of before; a
// key the file names wrongly falls back to its default with one line said.
TEST(Controls, SettingsKeepTheChangedKeysAndFallBackFromBadOnes) {
    Settings chosen;
    EXPECT_EQ(SettingsToJson(chosen).find("controls"), std::string::npos);
    chosen.controls.keys[static_cast<size_t>(Action::Grid)] = 'K';
    chosen.controls.keys[static_cast<size_t>(Action::Pause)] = kPadY;
    const std::string text = SettingsToJson(chosen);
    EXPECT_NE(text.find(R"("grid": "K")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("pause": "pad:y")"), std::string::npos) << text;
    EXPECT_EQ(text.find(R"("music": ")"), std::string::npos) << text;
    Settings read;
    std::string why;
    ASSERT_TRUE(SettingsFromJson(text, &read, &why)) << why;
    EXPECT_TRUE(read.controls == chosen.controls);
    EXPECT_TRUE(read.notes.empty());

    TempDir dir;
    dir.Write("settings.json", R"({"version":1,"musicVolume":10,"effectsVolume":0,"fullScreen":true,"music":true,
        "controls":{"grid":"Nope","hint":"F","flyUp":5,"jump":"J","music":"K"}})");
    std::ostringstream err;
    read = LoadSettings((dir.Path() / "settings.json").string(), err);
    EXPECT_EQ(read.musicVolume, 10);
    EXPECT_EQ(read.controls.Key(Action::Grid), 'G');
    EXPECT_EQ(read.controls.Key(Action::Hint), 'H');
    EXPECT_EQ(read.controls.Key(Action::FlyUp), 'R');
    EXPECT_EQ(read.controls.Key(Action::Music), 'K');
    const std::string said = err.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 4) << said;
    EXPECT_NE(said.find(R"("grid": no key is named "Nope"; G kept)"), std::string::npos) << said;
    EXPECT_NE(said.find(R"(no action is named "jump")"), std::string::npos) << said;
    EXPECT_TRUE(read.notes.empty());
}

// The page gives the chosen action the next key, refuses one in use, keeps the key on Escape (whose
// release does not also leave), takes a pad button over the key it stands for, and puts the
// defaults back.
TEST_F(Controlled, ThePageGivesRefusesAndPutsBackKeys) {
    SettingsScreen settings;
    for (int i = 0; i < 5; ++i) Tap(settings, kVkDown);
    EXPECT_EQ(settings.chosen(), SettingLine::Controls);
    EXPECT_EQ(Tap(settings, kVkReturn), ScreenChange::Kind::Push);

    ControlsScreen page;
    Tap(page, kVkDown);
    Tap(page, kVkReturn);
    EXPECT_TRUE(page.waiting());
    Tap(page, 'K');
    EXPECT_EQ(BoundKey(Action::Grid), 'K');
    EXPECT_EQ(CurrentSettings().controls.Key(Action::Grid), 'K');
    Tap(page, kVkReturn);
    Tap(page, 'F');
    EXPECT_EQ(BoundKey(Action::Grid), 'K');
    EXPECT_NE(page.said().find("Fly down"), std::string::npos) << page.said();
    Tap(page, kVkReturn);
    EXPECT_EQ(Tap(page, kVkEscape), ScreenChange::Kind::Stay);
    EXPECT_EQ(Frame(page), ScreenChange::Kind::Stay);
    EXPECT_FALSE(page.waiting());
    EXPECT_EQ(BoundKey(Action::Grid), 'K');

    Tap(page, kVkUp);
    Tap(page, kVkReturn);
    input.Hold(kVkReturn, true);
    input.Hold(kPadY, true);
    Frame(page);
    EXPECT_EQ(BoundKey(Action::Pause), kPadY);
    input.Hold(kVkReturn, false);
    input.Hold(kPadY, false);
    EXPECT_EQ(Frame(page), ScreenChange::Kind::Stay);
    // B while waiting stands for Escape too: refused as the pad's own way back, and neither
    // release leaves the page.
    Tap(page, kVkReturn);
    input.Hold(kVkEscape, true);
    input.Hold(PadButtonKey(1), true);
    Frame(page);
    input.Hold(kVkEscape, false);
    input.Hold(PadButtonKey(1), false);
    EXPECT_EQ(Frame(page), ScreenChange::Kind::Stay);
    EXPECT_EQ(BoundKey(Action::Pause), kPadY);

    Tap(page, kVkRight);
    for (int i = 0; i < 20; ++i) Tap(page, kVkDown);
    EXPECT_EQ(page.chosen(), kActionCount);
    Tap(page, kVkReturn);
    EXPECT_TRUE(CurrentSettings().controls == Controls());
    Tap(page, kVkEscape);
    EXPECT_EQ(Frame(page), ScreenChange::Kind::Pop);
}

// The game's keys follow the player's: K shows the grid and G no longer does; the back key
// raises the title in play and ends the game on it.
TEST_F(Controlled, TheGamesKeysFollowThePlayers) {
    Settings mine = SettingsAsShown();
    mine.controls.keys[static_cast<size_t>(Action::Grid)] = 'K';
    mine.controls.keys[static_cast<size_t>(Action::Back)] = 'Q';
    ChangeSettings(mine);
    const auto frame = [this] { return HandleKeyboard(0.5f, {keys, "camera.txt"}); };
    g_showGrid = false;
    keys.Set('G', Keyboard::kPressedSince);
    frame(), frame();
    EXPECT_FALSE(g_showGrid);
    keys.Set('K', Keyboard::kPressedSince);
    frame(), frame();
    EXPECT_TRUE(g_showGrid);
    keys.Set(kVkEscape, Keyboard::kPressedSince);
    frame(), frame();
    EXPECT_FALSE(g_showTitleMenu);
    keys.Set('Q', Keyboard::kPressedSince);
    frame(), frame();
    EXPECT_TRUE(g_showTitleMenu);
    keys.Set('Q', Keyboard::kPressedSince);
    frame();
    EXPECT_EQ(frame(), 1);
}

namespace {
class NoField : public PadField {
public:
    PadPixel Size() const override { return {800, 600}; }
    std::vector<PadPixel> TargetPixels() const override { return {}; }
    void PointAt(PadPixel, bool) override {}
};
}  // namespace

// A pad follows the keys too: Start pauses through the key the player gave pause, and a button
// the player gave an action (Y: the grid) acts as that action's key.
TEST_F(Controlled, APadActsThroughThePlayersKeys) {
    Settings mine = SettingsAsShown();
    mine.controls.keys[static_cast<size_t>(Action::Pause)] = 'K';
    mine.controls.keys[static_cast<size_t>(Action::Grid)] = kPadY;
    ChangeSettings(mine);
    PadControl pad;
    NoField field;
    PadSnapshot now;
    now.lead.connected = true;
    const auto frame = [&] {
        pad.Update(now, PadScene::Play, 0.01f, field, input);
        input.BeginFrame();
        HandleKeyboard(0.01f, {input, "camera.txt"});
    };
    g_paused = false, g_showGrid = false;
    frame();  // the pad meets play with nothing held
    EXPECT_FALSE(input.PadUsed());
    for (PadButton button : {PadButton::Start, PadButton::Y}) {
        now.lead.buttons[static_cast<int>(button)] = true;
        frame();
        now.lead.buttons[static_cast<int>(button)] = false;
        frame(), frame();
    }
    EXPECT_TRUE(g_paused);
    EXPECT_TRUE(g_showGrid);
    // From the first press on, the pages' key lines name the pad's buttons.
    ASSERT_TRUE(input.PadUsed());
    SettingsScreen settings;
    device.ClearCalls();
    ScreenFrame drawn{0.1f, 0, input};
    settings.Draw(drawn);
    bool named = false;
    for (const RecordedCall& call : device.CallsNamed("DrawText")) named = named || call.text.find("B: back") != std::string::npos;
    EXPECT_TRUE(named);
}

// What stands for a default key (a touch button, a line of the title) stands for the player's.
TEST_F(Controlled, WhatStandsForADefaultKeyTakesThePlayers) {
    Settings mine = SettingsAsShown();
    mine.controls.keys[static_cast<size_t>(Action::Back)] = 'Q';
    mine.controls.keys[static_cast<size_t>(Action::RollRight)] = 'K';
    ChangeSettings(mine);
    EXPECT_EQ(ChosenKey(kVkEscape), 'Q');
    EXPECT_EQ(ChosenKey('M'), 'M');  // the music's, whose default M comes first
    EXPECT_EQ(ChosenKey(kVkSpace), kVkSpace);
}
