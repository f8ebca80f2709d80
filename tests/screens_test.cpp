#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <chrono>
#include <memory>
#include <thread>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "ScreenDriver.h"
#include "TempDir.h"
#include "platform/Keyboard.h"
#include "authoring/LevelCode.h"
#include "profile/LevelIdentity.h"
#include "profile/OwnLevels.h"
#include "profile/ProfileSession.h"
#include "profile/RunScript.h"
#include "rules/Firing.h"
#include "screens/GameScreen.h"
#include "screens/InputPath.h"
#include "screens/LevelListScreen.h"
#include "screens/SettingsScreen.h"
#include "screens/WatchScreen.h"
#include "state/LevelProgression.h"

namespace {

// A small level with nothing on it whose train never leaves its tile (100 seconds a tile).
const char* const kLevelText =
    "style standard\nheight 3\nwidth 4\ncamera_data\n0 0 0\n0 1 0\n0 0 1\n1 0 0\nobjects 0\n"
    "start 0 1 e\nfinish 3 1 e\nspeed 100\n";

// The code of a level file's text, as the level tool makes it.
std::string EncodeCodeOf(const std::string& text) {
    TempDir dir;
    dir.Write("level.txt", text);
    Level level(nullptr, nullptr);
    level.Load((dir.Path() / "level.txt").string());
    return EncodeLevelCode(level);
}

// The level list, the settings and watching, each driven alone with a fake keyboard read through
// an input path, in a data folder of twelve listed levels.
class Screens : public GameFixture, public ScreenDriver {
protected:
    TempDir dir;
    std::unique_ptr<ScopedCurrentDir> inside;

    void SetUp() override {
        GameFixture::SetUp();
        inside = std::make_unique<ScopedCurrentDir>(dir.Path());
        for (int i = 1; i <= 12; ++i) {
            catalogue.levels.push_back("level" + std::to_string(i) + ".txt");
            dir.Write("levels/" + catalogue.levels.back(), kLevelText);
        }
    }

    ScreenChange::Kind Mouse(Screen& screen, InputEvent::Kind kind, int32_t x, int32_t y) {
        input.Push(InputEvent{kind, 0, x, y});
        return Frame(screen);
    }
    // Draws the screen and returns the texts drawn, each with where it was drawn.
    std::vector<RecordedCall> Texts(Screen& screen) {
        device.ClearCalls();
        ScreenFrame frame{0.1f, 0, input};
        screen.Draw(frame);
        return device.CallsNamed("DrawText");
    }
    // The level numbers of the rows drawn ("4. Level4" is level 3).
    std::vector<int32_t> RowsShown(Screen& screen) {
        std::vector<int32_t> rows;
        for (const RecordedCall& call : Texts(screen)) {
            const size_t dot = call.text.find(". ");
            if (dot != std::string::npos && dot > 0 && call.text.find_first_not_of("0123456789") == dot)
                rows.push_back(std::stoi(call.text) - 1);
        }
        return rows;
    }
    // A point inside the text drawn starting with `start`.
    std::pair<int32_t, int32_t> PointOn(Screen& screen, const std::string& start) {
        for (const RecordedCall& call : Texts(screen))
            if (call.text.rfind(start, 0) == 0) return {call.rect.left + 3, call.rect.top + 3};
        ADD_FAILURE() << "nothing drawn starting with " << start;
        return {0, 0};
    }
};

using Kind = ScreenChange::Kind;

// Up and Down move the choice one level and stop at the ends; the rows scroll as little as they
// can to keep the choice in view.
TEST_F(Screens, LevelListChoiceStopsAtTheEndsAndScrollsIntoView) {
    g_levelIndex = 2;
    LevelListScreen list;
    EXPECT_EQ(list.chosen(), 2) << "the current level is chosen when the list opens";
    const int32_t rows = static_cast<int32_t>(RowsShown(list).size());
    ASSERT_GE(rows, 2);
    ASSERT_LT(rows, 12) << "the test needs a list longer than the page";

    for (int i = 0; i < 4; ++i) Tap(list, kVkUp);
    EXPECT_EQ(list.chosen(), 0);
    EXPECT_EQ(list.first(), 0);
    for (int i = 0; i < rows; ++i) Tap(list, kVkDown);
    EXPECT_EQ(list.chosen(), rows);
    EXPECT_EQ(list.first(), 1) << "one row scrolled: the choice is on the bottom row";
    for (int i = 0; i < 11 - rows; ++i) Tap(list, kVkDown);
    EXPECT_EQ(list.chosen(), 11);
    EXPECT_EQ(list.first(), 12 - rows);
    const std::vector<int32_t> shown = RowsShown(list);
    EXPECT_EQ(shown.back(), 11);
    for (int i = 0; i < rows - 1; ++i) Tap(list, kVkUp);
    EXPECT_EQ(list.first(), 12 - rows) << "the choice is on the top row, still in view";
    Tap(list, kVkUp);
    EXPECT_EQ(list.first(), list.chosen());
    EXPECT_EQ(RowsShown(list).front(), list.chosen());

    // The wheel: a notch away from the player moves up, towards the player down.
    input.Push(InputEvent{InputEvent::Kind::Wheel, 0, 0, 0, 1});
    Frame(list);
    EXPECT_EQ(list.chosen(), 11 - rows - 1);
    input.Push(InputEvent{InputEvent::Kind::Wheel, 0, 0, 0, -3});
    Frame(list);
    EXPECT_EQ(list.chosen(), 11 - rows + 2);

    // Below the levels, past their heading, the new levels; the day's is the last.
    for (int i = 0; i < 30; ++i) Tap(list, kVkDown);
    EXPECT_EQ(list.chosenNew(), NewLevel::Day);
    EXPECT_EQ(list.chosen(), -1);
    for (int i = 0; i < 4; ++i) Tap(list, kVkUp);
    EXPECT_EQ(list.chosenNew(), NewLevel::Easy) << "no level in play of its own, so nothing to offer again";
    Tap(list, kVkUp);
    EXPECT_EQ(list.chosen(), 11) << "up from the first new level skips their heading";
}

// The seed field: Enter on its row opens it; keys then type (shift for capitals, - and space)
// and act on nothing else (M leaves the music be); Backspace takes the last character back;
// Escape closes it and stays on the list, even when its release comes later.
TEST_F(Screens, LevelListSeedFieldTakesEveryKeyWhileOpen) {
    LevelListScreen list;
    for (int i = 0; i < 40; ++i) Tap(list, kVkDown);
    for (int i = 0; i < 1; ++i) Tap(list, kVkUp);
    ASSERT_EQ(list.chosenNew(), NewLevel::Typed);
    const auto press = [&](int vk, bool shift = false) {
        keys.Set(vk, Keyboard::kPressedSince);
        keys.Press(vk, false, shift);
        return Frame(list);
    };
    press(kVkReturn);
    ASSERT_TRUE(list.typing());
    const bool music = g_musicOff;
    for (int vk : {int{'M'}, int{'A'}, kVkMinus, int{'7'}, kVkSpace, int{'X'}, int{'W'}, kVkBack, kVkDown}) EXPECT_EQ(press(vk, vk == 'A'), Kind::Stay);
    Frame(list);
    EXPECT_EQ(list.typed(), "mA-7 x");
    EXPECT_EQ(g_musicOff, music) << "M typed into the field does not toggle the music";
    EXPECT_EQ(list.chosenNew(), NewLevel::Typed) << "Down typed into the field does not move the choice";
    keys.Set(kVkEscape, Keyboard::kDown);
    keys.Press(kVkEscape);
    EXPECT_EQ(Frame(list), Kind::Stay);
    EXPECT_FALSE(list.typing());
    keys.Set(kVkEscape, 0);
    EXPECT_EQ(Frame(list), Kind::Stay) << "the Escape that closed the field is not also the way back";
    EXPECT_EQ(Tap(list, kVkEscape), Kind::Stay);
    EXPECT_EQ(Frame(list), Kind::Pop) << "the next Escape goes back";
}

// The day's level row shows the best run the profile keeps for today's seed's file; the row of a
// seed the player types shows its seed and the difficulty Left and Right step through.
TEST_F(Screens, LevelListShowsTheDaysBestAndTheTypedSeed) {
    TempDir profile;
    OpenProfile(profile.Path().string());
    const std::string day = SeedLevelPath(DaySeed(std::time(nullptr)), Difficulty::Medium);
    ASSERT_EQ(day.rfind((profile.Path() / "levels" / "seed-medium-").string(), 0), 0u) << day;
    profile.Write("levels/" + LevelFileName(day), kLevelText);
    profile.Write("progress.json", R"({"version": 1, "levels": [{"file": ")" + LevelFileName(day) + R"(", "content": ")" +
                                       LevelFileHash(day) + R"(", "won": true, "bestScore": 120, "bestTime": 20.5, "replay": ""}]})");
    OpenProfile(profile.Path().string());
    LevelListScreen list;
    for (int i = 0; i < 40; ++i) Tap(list, kVkDown);
    const auto drawn = [&](const std::string& text) {
        for (const RecordedCall& call : Texts(list))
            if (call.text == text) return true;
        return false;
    };
    EXPECT_TRUE(drawn("Won    best score 120    best time 20.50 s"));
    Tap(list, kVkUp);
    Tap(list, kVkLeft);
    EXPECT_TRUE(drawn("Enter: type a seed    Difficulty: easy (Left, Right)"));
    Tap(list, kVkLeft);
    EXPECT_TRUE(drawn("Enter: type a seed    Difficulty: hard (Left, Right)")) << "Left from easy goes round to hard";
    Tap(list, kVkRight);
    Tap(list, kVkRight);
    EXPECT_TRUE(drawn("Enter: type a seed    Difficulty: medium (Left, Right)"));
    CloseProfile();
}

// Ctrl+C copies the chosen level's code, which reads back as the level; Ctrl+V plays a pasted
// code from the profile's levels/ folder with the code in the corner, says why it refuses a bad
// one, and a listed level chosen afterwards is played as listed again.
TEST_F(Screens, LevelListCopiesCodesAndPlaysPastedOnes) {
    TempDir profile;
    OpenProfile(profile.Path().string());
    MemoryClipboard clipboard;
    const auto ctrl = [&](LevelListScreen& list, int vk) {
        keys.Set(vk, Keyboard::kPressedSince);
        keys.Press(vk, true, false);
        input.BeginFrame();
        ScreenFrame frame{0.1f, 0, input, &clipboard};
        return list.Update(frame).kind;
    };
    LevelListScreen list;
    Tap(list, kVkDown);
    EXPECT_EQ(ctrl(list, 'C'), Kind::Stay);
    std::string text, why;
    ASSERT_TRUE(DecodeLevelCode(clipboard.Get(), &text, &why)) << why;
    EXPECT_EQ(text, kLevelText) << "the code copied is the chosen level's";

    clipboard.Set("T1.not*base64");
    EXPECT_EQ(ctrl(list, 'V'), Kind::Stay);
    EXPECT_NE(list.said().find("The pasted code does not make a level"), std::string::npos) << list.said();

    clipboard.Set("  https://example.org/tracklet.html?code=" + EncodeCodeOf(kLevelText) + "&x=1\n");
    EXPECT_EQ(ctrl(list, 'V'), Kind::Pop);
    EXPECT_EQ(StartedLevelPath().rfind((profile.Path() / "levels" / "code-").string(), 0), 0u) << StartedLevelPath();
    EXPECT_EQ(g_levelLabel, "Code " + EncodeCodeOf(kLevelText));
    LoadLevel(5);
    EXPECT_EQ(StartedLevelPath().rfind(profile.Path().string(), 0), 0u) << "the pasted level stays the one played";

    LevelListScreen again;
    EXPECT_EQ(again.chosenNew(), NewLevel::InPlay) << "the level in play is offered again";
    for (int i = 0; i < 40; ++i) Tap(again, kVkUp);
    EXPECT_EQ(Tap(again, kVkSpace), Kind::Pop);
    EXPECT_EQ(StartedLevelPath(), "levels/level1.txt");
    EXPECT_EQ(g_levelLabel, "");
    CloseProfile();
}

// The pointer chooses the row it is over and a click plays it; off the rows it chooses nothing.
TEST_F(Screens, LevelListPointerChoosesTheRowUnderItAndAClickPlaysIt) {
    g_showTitleMenu = g_showIntroduction = true;
    LevelListScreen list;
    const auto [x, y] = PointOn(list, "4. ");
    EXPECT_EQ(Mouse(list, InputEvent::Kind::MouseMove, x, y), Kind::Stay);
    EXPECT_EQ(list.chosen(), 3);
    EXPECT_EQ(list.hovered(), 3);
    EXPECT_EQ(Mouse(list, InputEvent::Kind::MouseMove, 1, 1), Kind::Stay);
    EXPECT_EQ(list.hovered(), -1);
    EXPECT_EQ(list.chosen(), 3) << "moving off the rows keeps the choice";
    EXPECT_EQ(Mouse(list, InputEvent::Kind::LeftClick, 1, 1), Kind::Stay) << "a click on no row plays nothing";

    const auto [x2, y2] = PointOn(list, "2. ");
    EXPECT_EQ(Mouse(list, InputEvent::Kind::LeftClick, x2, y2), Kind::Pop);
    EXPECT_EQ(g_levelIndex, 1);
    EXPECT_EQ(StartedLevelPath(), "levels/level2.txt");
    EXPECT_FALSE(g_showTitleMenu || g_showIntroduction);
}

// Space plays the chosen level as the current one, with the title down; W on a level never won
// says so and stays; the question goes when the choice moves; Escape goes back on its release.
TEST_F(Screens, LevelListSpacePlaysWSaysWhyNotAndEscapeGoesBack) {
    g_showTitleMenu = g_showIntroduction = true;
    {
        LevelListScreen list;
        Tap(list, kVkDown);
        EXPECT_EQ(Tap(list, kVkSpace), Kind::Pop);
        EXPECT_EQ(g_levelIndex, 1);
        EXPECT_EQ(StartedLevelPath(), "levels/level2.txt");
        EXPECT_FALSE(g_showTitleMenu || g_showIntroduction);
    }
    g_showTitleMenu = true;
    LevelListScreen list;
    EXPECT_EQ(Tap(list, 'W'), Kind::Stay);
    EXPECT_NE(list.said().find("win it first"), std::string::npos) << list.said();
    bool shown = false;
    for (const RecordedCall& call : Texts(list)) shown = shown || call.text == list.said();
    EXPECT_TRUE(shown) << "the reason is on the page";
    Tap(list, kVkDown);
    EXPECT_EQ(list.said(), "");

    keys.Set(kVkEscape, Keyboard::kDown);
    EXPECT_EQ(Frame(list), Kind::Stay);
    EXPECT_EQ(Frame(list), Kind::Stay) << "held, Escape does nothing yet";
    keys.Set(kVkEscape, 0);
    EXPECT_EQ(Frame(list), Kind::Pop);
    EXPECT_EQ(g_levelIndex, 1) << "going back plays nothing";
    EXPECT_TRUE(g_showTitleMenu);
}

// With sets.txt the list shows each set under its heading; on a fresh profile the second set is
// closed and says what opens it, and a current level inside it leaves the first level chosen. A
// sets file that is refused leaves one set of every level, said once on stderr.
TEST_F(Screens, LevelListShowsTheSetsAndKeepsClosedOnesShut) {
    dir.Write("sets.txt",
              "set Starters\nlevel level1.txt score 10 time 9.5\nlevel level2.txt score 0 time 30\n"
              "set Mains\nlevel level3.txt score 5 time 5\n");
    g_levelIndex = 2;
    LevelListScreen list;
    EXPECT_EQ(list.chosen(), 0);
    std::vector<std::string> texts;
    for (const RecordedCall& call : Texts(list)) texts.push_back(call.text);
    const auto drawn = [&](const std::string& text) { return std::find(texts.begin(), texts.end(), text) != texts.end(); };
    EXPECT_TRUE(drawn("Starters"));
    EXPECT_TRUE(drawn("0 of 2 levels won    0 of 4 goals reached"));
    EXPECT_TRUE(drawn("Closed: opens when 2 levels of Starters are won (0 so far)"));
    EXPECT_TRUE(drawn("Score goal 10"));
    EXPECT_TRUE(drawn("Time goal 9.50 s"));
    EXPECT_TRUE(drawn("More levels")) << "levels no set names";
    EXPECT_FALSE(drawn("3. Level3")) << "a level of a closed set is not listed";
    Tap(list, kVkDown);
    Tap(list, kVkDown);
    EXPECT_EQ(list.chosen(), 3) << "down from the last level of the set skips the closed one's heading";

    CloseProfile();
    dir.Write("sets.txt", "set Starters\nlevel level2.txt score 1 time 1\nlevel level1.txt score 1 time 1\n");
    testing::internal::CaptureStderr();
    LevelListScreen plain;
    LevelListScreen again;
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "tracklet: sets.txt:3: error: level1.txt comes before level2.txt in levels.txt: the sets keep "
                    "levels.txt's order; the levels are played as one set\n");
    EXPECT_EQ(RowsShown(again).front(), 0);
}

// A volume steps by 10 within 0..100 and a choice flips; on the screen Up and Down stop at the
// first and last lines, Left and Right change the chosen line, a click changes it as Right does.
TEST_F(Screens, SettingsStepWithinTheirLimitsAndEscapeGoesBack) {
    Settings s;
    s.musicVolume = 100, s.effectsVolume = 0;
    EXPECT_EQ(ChangeSetting(s, SettingLine::MusicVolume, 1).musicVolume, 100);
    EXPECT_EQ(ChangeSetting(s, SettingLine::MusicVolume, -1).musicVolume, 90);
    EXPECT_EQ(ChangeSetting(s, SettingLine::MusicVolume, -1).effectsVolume, 0);
    EXPECT_EQ(ChangeSetting(s, SettingLine::EffectsVolume, -1).effectsVolume, 0);
    EXPECT_EQ(ChangeSetting(s, SettingLine::EffectsVolume, 1).effectsVolume, 10);
    EXPECT_EQ(ChangeSetting(s, SettingLine::EffectsVolume, 1).musicVolume, 100);
    EXPECT_EQ(ChangeSetting(s, SettingLine::FullScreen, -1).fullScreen, !s.fullScreen);
    EXPECT_EQ(ChangeSetting(s, SettingLine::Music, 1).musicOn, !s.musicOn);
    // The pacing steps round: fast, display, rest, fast.
    Settings paced = s;
    for (FramePacing want : {FramePacing::Display, FramePacing::Rest, FramePacing::Fast}) {
        paced = ChangeSetting(paced, SettingLine::Pacing, 1);
        EXPECT_EQ(paced.pacing, want);
    }
    EXPECT_EQ(ChangeSetting(paced, SettingLine::Pacing, -1).pacing, FramePacing::Rest);
    EXPECT_EQ(SettingText(paced, SettingLine::Pacing), "Frames:  as fast as possible");

    const Settings before = SettingsAsShown();
    Settings start = before;
    start.musicVolume = 50, start.effectsVolume = 20;
    ChangeSettings(start);
    SettingsScreen screen;
    Tap(screen, kVkUp);
    EXPECT_EQ(screen.chosen(), SettingLine::MusicVolume);
    for (int i = 0; i < 7; ++i) Tap(screen, kVkRight);
    EXPECT_EQ(SettingsAsShown().musicVolume, 100);
    Tap(screen, kVkLeft);
    EXPECT_EQ(SettingsAsShown().musicVolume, 90);
    Tap(screen, kVkDown);
    EXPECT_EQ(screen.chosen(), SettingLine::EffectsVolume);
    for (int i = 0; i < 3; ++i) Tap(screen, kVkLeft);
    EXPECT_EQ(SettingsAsShown().effectsVolume, 0);
    EXPECT_EQ(SettingsAsShown().musicVolume, 90);
    for (int i = 0; i < 9; ++i) Tap(screen, kVkDown);
    EXPECT_EQ(screen.chosen(), SettingLine::Controls);
    Tap(screen, kVkUp);
    EXPECT_EQ(screen.chosen(), SettingLine::Pacing);
    Tap(screen, kVkRight);
    EXPECT_EQ(SettingsAsShown().pacing, FramePacing::Display);
    EXPECT_EQ(RunPacing(), FramePacing::Display);
    Tap(screen, kVkLeft);
    EXPECT_EQ(RunPacing(), FramePacing::Fast);

    const auto [x, y] = PointOn(screen, "Effects volume:");
    EXPECT_EQ(Mouse(screen, InputEvent::Kind::LeftClick, x, y), Kind::Stay);
    EXPECT_EQ(screen.chosen(), SettingLine::EffectsVolume);
    EXPECT_EQ(SettingsAsShown().effectsVolume, 10);

    EXPECT_EQ(Tap(screen, kVkEscape), Kind::Stay);
    EXPECT_EQ(Frame(screen), Kind::Pop);
    ChangeSettings(before);  // the profile's settings outlive the test
}

// A run is refused, with the reason, when its file is missing, a level it names is gone, or the
// level has changed since it was recorded.
TEST_F(Screens, WatchingRefusesARunThatCannotBeWatched) {
    std::string why;
    EXPECT_EQ(WatchScreen::Start("runs/none.sim", &why), nullptr);
    EXPECT_NE(why.find("runs/none.sim: no such file"), std::string::npos) << why;
    const std::string gone = dir.Write("gone.sim", "# level levels/gone.txt\nframes 3 0.1\nprint\n");
    EXPECT_EQ(WatchScreen::Start(gone, &why), nullptr);
    EXPECT_NE(why.find("levels/gone.txt is not there"), std::string::npos) << why;
    const std::string old =
        dir.Write("old.sim", "# level levels/level2.txt\n# content 0123456789abcdef\nframes 3 0.1\nprint\n");
    EXPECT_EQ(WatchScreen::Start(old, &why), nullptr);
    EXPECT_NE(why.find("levels/level2.txt has changed since this run"), std::string::npos) << why;
}

// Tab switches four times speed on and off (once per press, however long held), Pause pauses,
// and Escape stops: the current level is loaded again with the title up.
TEST_F(Screens, WatchingTogglesSpeedPausesAndEscapeReturnsToTheCurrentLevel) {
    g_levelIndex = 4;
    std::string why;
    const std::string run = dir.Write(
        "run.sim", "# level levels/level2.txt\n# content " + ContentHash(kLevelText) + "\nframes 100 0.1\nprint\n");
    std::unique_ptr<WatchScreen> watch = WatchScreen::Start(run, &why);
    ASSERT_TRUE(watch) << why;
    EXPECT_EQ(StartedLevelPath(), "levels/level2.txt");
    EXPECT_FALSE(watch->fast());
    keys.Set(kVkTab, Keyboard::kDown);
    Frame(*watch), Frame(*watch), Frame(*watch);
    EXPECT_TRUE(watch->fast());
    keys.Set(kVkTab, 0);
    Frame(*watch);
    Tap(*watch, kVkTab);
    EXPECT_FALSE(watch->fast());
    Tap(*watch, kVkPause);
    EXPECT_TRUE(g_paused);

    EXPECT_EQ(Tap(*watch, kVkEscape), Kind::Stay);
    EXPECT_EQ(Frame(*watch), Kind::Pop);
    EXPECT_EQ(StartedLevelPath(), "levels/level5.txt");
    EXPECT_TRUE(g_showTitleMenu);
    EXPECT_FALSE(g_paused);
}

}  // namespace

// Play keeps its standing picture from frame to frame, and draws it again when it is on top once
// more after another screen (which may have changed the style or the level) went.
TEST_F(Screens, PlayDrawsItsKeptPictureAgainWhenItComesBackOnTop) {
    GameScreen play("camera.txt");
    const auto kept = [&]() {
        device.ClearCalls();
        ScreenFrame frame{0.1f, 0, input};
        play.Draw(frame);
        return device.Lines({"KeepImage", "RestoreImage"});
    };
    EXPECT_EQ(kept(), std::vector<std::string>{"KeepImage()"});
    EXPECT_EQ(kept(), std::vector<std::string>{"RestoreImage()"});
    play.Resume();
    EXPECT_EQ(kept(), std::vector<std::string>{"KeepImage()"});
}

// H in play holds the rules while a hint is searched for and shown (this level has no win left:
// no track lies ahead of its train); H again, or a shot fired, lets play go on.
TEST_F(Screens, AHintHoldsPlayUntilHAgainOrAShot) {
    ASSERT_EQ(LoadLevel(0), 0);
    GameScreen play("camera.txt");
    const auto moves = [&]() {
        const float before = g_level->stepTimer;
        Frame(play);
        return g_level->stepTimer != before;
    };
    const auto hintLine = [&]() {
        device.ClearCalls();
        ScreenFrame frame{0.1f, 0, input};
        play.Draw(frame);
        for (const RecordedCall& call : device.CallsNamed("DrawText"))
            if (call.text.rfind("Hint: ", 0) == 0) return call.text;
        return std::string();
    };
    EXPECT_TRUE(moves());
    EXPECT_EQ(Tap(play, 'H'), ScreenChange::Kind::Stay);
    EXPECT_EQ(hintLine(), "Hint: searching...");
    for (int i = 0; i < 5000 && hintLine() == "Hint: searching..."; ++i) {
        EXPECT_FALSE(moves());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(hintLine(), "Hint: no win is left from here");
    EXPECT_FALSE(moves());
    Tap(play, 'H');
    EXPECT_TRUE(moves());
    EXPECT_EQ(hintLine(), "");

    Tap(play, 'H');
    EXPECT_FALSE(moves());
    FireBullet(Vec3(5.0f, 5.0f, 0.0f));
    EXPECT_TRUE(moves());
    EXPECT_EQ(hintLine(), "");
}

TEST(HintLine, SaysWhenToShootAndWhyNoWinWasFound) {
    SearchReport report;
    EXPECT_EQ(HintLine(report), "Hint: no win is left from here");
    report.end = SearchReport::End::NodeLimit;
    EXPECT_EQ(HintLine(report), "Hint: no win found within the search's bound");
    report.solution = Solution{{Shot{0, 35.0f, 25.0f, 3, 2}}};
    EXPECT_EQ(HintLine(report), "Hint: shoot the marked target");
    report.solution->shots.front().frame = 1;
    EXPECT_EQ(HintLine(report), "Hint: wait, then shoot the marked target");
}
