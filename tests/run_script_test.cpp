// The run script as the game writes it and both the simulator and the game's playback read it.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>

#include "profile/RunScript.h"
#include "screens/LevelListLayout.h"
#include "screens/SettingsScreen.h"

namespace {

TEST(RunScript, ParsesEachLineKind) {
    struct Case {
        const char* line;
        int status;
        RunCommand::Kind kind;
        uint64_t count;
        float dt;
        Vec3 point;
    };
    const Case cases[] = {
        {"frames 64 0.03125", 1, RunCommand::Kind::Frames, 64, 0.03125f, {0, 0, 0}},
        {"click 35 25", 1, RunCommand::Kind::Click, 0, 0, {35, 25, 0}},
        {"click 1.5 -2 0.000001", 1, RunCommand::Kind::Click, 0, 0, {1.5f, -2, 0.000001f}},
        {"print", 1, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"# level levels/a.txt", 0, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"   ", 0, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"frames -1 0.1", -1, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"frames 1 nan", -1, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"frames 1", -1, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"click 1", -1, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"click 1 2 3 4", -1, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"print now", -1, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
        {"jump 1", -1, RunCommand::Kind::Print, 0, 0, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        RunCommand command;
        std::string why;
        ASSERT_EQ(ParseRunLine(c.line, &command, &why), c.status) << c.line;
        if (c.status < 0) EXPECT_FALSE(why.empty()) << c.line;
        if (c.status != 1) continue;
        EXPECT_EQ(command.kind, c.kind) << c.line;
        EXPECT_EQ(command.count, c.count) << c.line;
        EXPECT_EQ(command.dt, c.dt) << c.line;
        EXPECT_EQ(command.point.x, c.point.x) << c.line;
        EXPECT_EQ(command.point.y, c.point.y) << c.line;
        EXPECT_EQ(command.point.z, c.point.z) << c.line;
    }
}

TEST(RunScript, WriterFoldsEqualFramesAndReadsBackToTheSameRun) {
    RunScriptWriter writer;
    writer.Begin("levels/a.txt", "0123456789abcdef");
    const float dts[] = {0.016f, 0.016f, 0.1f / 3.0f, 0.016f};
    for (float dt : dts) writer.Frame(dt);
    writer.Shot(Vec3(35.0f, 25.000002f, 1e-7f));
    writer.Frame(0.5f);
    const std::string text = writer.Text();
    EXPECT_EQ(text.rfind("# level levels/a.txt\n# content 0123456789abcdef\nframes 2 0.016\n", 0), 0u) << text;
    EXPECT_DOUBLE_EQ(writer.Seconds(), double(0.016f) * 3 + double(0.1f / 3.0f) + 0.5);

    std::vector<RunPart> parts;
    std::string why;
    ASSERT_TRUE(ReadRunParts(text + text, &parts, &why)) << why;
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].level, "levels/a.txt");
    EXPECT_EQ(parts[0].content, "0123456789abcdef");
    const auto& commands = parts[1].commands;
    ASSERT_EQ(commands.size(), 6u);  // 3 frames lines, the click, a frames line, print
    uint64_t frames = 0;
    for (const RunCommand& c : commands) frames += c.count;
    EXPECT_EQ(frames, 5u);
    EXPECT_EQ(commands[2].dt, 0.016f);
    EXPECT_EQ(commands[1].dt, 0.1f / 3.0f);  // every number reads back as the same float
    EXPECT_EQ(commands[3].point.y, 25.000002f);
    EXPECT_EQ(commands[3].point.z, 1e-7f);

    EXPECT_FALSE(ReadRunParts("# level a\nframes 1 x\n", &parts, &why));
    EXPECT_EQ(why.rfind("line 2: ", 0), 0u) << why;
}

TEST(RunScript, ContentHashTellsVersionsApart) {
    EXPECT_EQ(ContentHash(""), "cbf29ce484222325");
    EXPECT_EQ(ContentHash("a"), "af63dc4c8601ec8c");
    EXPECT_NE(ContentHash("style x\n"), ContentHash("style y\n"));
}

TEST(LevelList, LayoutFitsBothShapesAndScrolls) {
    for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{1280, 720}, std::pair{640, 480}, std::pair{1920, 1080}}) {
        const float scale = std::min(w / 1024.0f, h / 768.0f);
        const LevelListLayout layout = LayOutLevelList(Rect{20, 110, w - 20, h - 20}, scale);
        EXPECT_GE(layout.rowsShown, 1) << w << "x" << h;
        EXPECT_LE(layout.Row(layout.rowsShown - 1).bottom, h) << w << "x" << h;
        const Rect picture = layout.Picture(0);
        EXPECT_NEAR(double(picture.right - picture.left) / double(picture.bottom - picture.top), 4.0 / 3.0, 0.02);
        EXPECT_EQ(layout.SlotAt(w / 2, layout.Row(layout.rowsShown - 1).bottom - 1), layout.rowsShown - 1);
        EXPECT_EQ(layout.SlotAt(w / 2, layout.Row(layout.rowsShown - 1).bottom), -1);
        EXPECT_EQ(layout.SlotAt(19, layout.rowsTop), -1) << "left of the frame";
        EXPECT_EQ(layout.SlotAt(w / 2, layout.rowsTop - 1), -1);
    }
    // selected, first, rows shown, count -> first
    const int32_t cases[][5] = {{0, 0, 5, 10, 0}, {4, 0, 5, 10, 0}, {5, 0, 5, 10, 1}, {9, 0, 5, 10, 5},
                                {2, 5, 5, 10, 2}, {9, 9, 5, 10, 5}, {0, 0, 5, 3, 0},  {6, 3, 5, 10, 3}};
    for (const auto& c : cases) EXPECT_EQ(ScrollToShow(c[0], c[1], c[2], c[3]), c[4]) << c[0] << " " << c[1];
    EXPECT_EQ(FormatSeconds(7.792891), "7.79 s");
}

TEST(SettingsScreen, LeftAndRightChangeTheChosenLine) {
    const Settings start{50, 100, true, true};
    EXPECT_EQ(ChangeSetting(start, SettingLine::MusicVolume, -1).musicVolume, 40);
    EXPECT_EQ(ChangeSetting(start, SettingLine::MusicVolume, -1).effectsVolume, 100);
    EXPECT_EQ(ChangeSetting(start, SettingLine::EffectsVolume, 1).effectsVolume, 100);
    EXPECT_EQ(ChangeSetting(start, SettingLine::EffectsVolume, -1).effectsVolume, 90);
    EXPECT_FALSE(ChangeSetting(start, SettingLine::FullScreen, 1).fullScreen);
    EXPECT_FALSE(ChangeSetting(start, SettingLine::Music, -1).musicOn);
    EXPECT_TRUE(ChangeSetting(start, SettingLine::Music, -1).fullScreen);
    EXPECT_EQ(SettingText(start, SettingLine::MusicVolume), "Music volume:  50 %");
    EXPECT_EQ(SettingText(start, SettingLine::FullScreen), "Screen:  full screen");
}

}  // namespace
