#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "editor/EditorKeys.h"
#include "editor/LevelEdits.h"
#include "editor/LevelEditor.h"
#include "editor/ObjectKinds.h"
#include "level/Level.h"
#include "level/LevelWriter.h"
#include "level/TokenReader.h"
#include "platform/Keyboard.h"
#include "resources/ResourceCatalogue.h"

namespace {

std::unique_ptr<Level> FromText(const std::string& text) {
    auto level = std::make_unique<Level>(nullptr, nullptr);
    EXPECT_EQ(level->LoadText(text), 0) << text;
    EXPECT_FALSE(level->loadStop) << text;
    return level;
}

// Every field a level file gives, compared exactly.
void ExpectSameLevel(const Level& a, const Level& b, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.objectCount, b.objectCount);
    ASSERT_EQ(a.objects.size(), b.objects.size());
    for (size_t i = 0; i < a.objects.size(); ++i) {
        const LevelObject &p = a.objects[i], &q = b.objects[i];
        EXPECT_TRUE(p.name == q.name && p.x == q.x && p.y == q.y && p.scale == q.scale && p.angle == q.angle &&
                    p.degrees == q.degrees)
            << "object " << i << ": " << p.name << " " << p.x << " " << p.y << " vs " << q.name << " " << q.x << " "
            << q.y;
    }
    ASSERT_TRUE(a.camera && b.camera);
    for (auto [u, v] : {std::pair{a.camera->position, b.camera->position}, {a.camera->up, b.camera->up},
                        {a.camera->look, b.camera->look}, {a.camera->right, b.camera->right}})
        EXPECT_TRUE(u.x == v.x && u.y == v.y && u.z == v.z);
    EXPECT_EQ(std::tuple(a.trainX, a.trainY, a.trainHeading), std::tuple(b.trainX, b.trainY, b.trainHeading));
    EXPECT_EQ(std::tuple(a.finishX, a.finishY, a.finishHeading), std::tuple(b.finishX, b.finishY, b.finishHeading));
    EXPECT_EQ(a.speed, b.speed);
}

TEST(LevelWriter, EveryShippedLevelSavesToTheLevelItWasLoadedFrom) {
    int levels = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TRACKLET_SOURCE_DIR "/data/levels")) {
        if (entry.path().extension() != ".txt") continue;
        std::string text;
        ASSERT_TRUE(ReadTextFile(entry.path().string(), &text));
        const auto loaded = FromText(text);
        const std::string saved = LevelText(*loaded);
        const auto reloaded = FromText(saved);
        ExpectSameLevel(*loaded, *reloaded, entry.path().filename().string());
        // Saved again unchanged, the file stays byte for byte what the first save wrote.
        EXPECT_EQ(LevelText(*reloaded), saved);
        ++levels;
    }
    EXPECT_GE(levels, 10);
}

TEST(LevelWriter, WritesTheShippedLayoutAndKeepsOddValuesExactly) {
    // A station with its ring, then explicit blocked tiles where the ring lies, a fractional turn
    // and scale, a negative turn and numbers that need all their digits.
    const std::string text =
        "style standard\nheight 4\nwidth 5\ncamera_data\n1.5 2.25 -3\n0 1 0\n0 0 1\n1 0 0\nobjects 5\n"
        "2 2 station 1 0\n3 2 blocked 1 0\n1 2 rails 1.5 12.5\n0 0 rturn 0.33333334 -90\n4 3 50pts 1 270\n"
        "start 0 1 e\nfinish 4 3 n\nspeed 2.5\n";
    const auto level = FromText(text);
    EXPECT_EQ(LevelText(*level), text);
    EXPECT_EQ(LevelEntryCount(*level), 5);
    ExpectSameLevel(*level, *FromText(LevelText(*level)), "odd values");
}

// A 4 by 3 level with two objects, as a file would give it.
const char* const kSmall =
    "style standard\nheight 3\nwidth 4\ncamera_data\n0 0 0\n0 1 0\n0 0 1\n1 0 0\nobjects 2\n"
    "1 1 rails 1 0\n2 1 50pts 1 0\nstart 0 1 e\nfinish 3 1 e\nspeed 3\n";

// The object lines of a level's text, for short expectations.
std::string Entries(const Level& level) {
    const std::string text = LevelText(level);
    const size_t from = text.find('\n', text.find("objects ")) + 1;
    return text.substr(from, text.find("start ") - from);
}

struct EditCase {
    const char* what;
    std::function<std::unique_ptr<LevelEdit>(const Level&)> make;
    std::function<void(const Level&)> expect;
};

TEST(LevelEdits, EachEditChangesTheRecordAndUndoGivesItBackExactly) {
    Camera framed;
    framed.position = Vec3(7.0f, 8.0f, 9.0f);
    const std::vector<EditCase> cases = {
        {"place a turned piece after the others", [](const Level& l) { return PlaceObject(l, "rails", 3, 2, 90); },
         [](const Level& l) {
             EXPECT_EQ(Entries(l), "1 1 rails 1 0\n2 1 50pts 1 0\n3 2 rails 1 90\n");
             EXPECT_EQ(l.objectCount, 3);
         }},
        {"place a station with its ring", [](const Level& l) { return PlaceObject(l, "station", 2, 2, 0); },
         [](const Level& l) {
             EXPECT_EQ(l.objects.size(), 11u);
             EXPECT_EQ(l.objectCount, 3);
             EXPECT_EQ(l.objects[10].name, "blocked");
             EXPECT_EQ(Entries(l), "1 1 rails 1 0\n2 1 50pts 1 0\n2 2 station 1 0\n");
         }},
        {"remove from a tile", [](const Level& l) { return RemoveObject(l, 1, 1); },
         [](const Level& l) { EXPECT_EQ(Entries(l), "2 1 50pts 1 0\n"); }},
        {"start on its own tile turns south", [](const Level& l) { return PlaceStart(l, 0, 1); },
         [](const Level& l) { EXPECT_EQ(std::tuple(l.trainX, l.trainY, l.trainHeading), std::tuple(0, 1, 's')); }},
        {"start on another tile heads east", [](const Level& l) { return PlaceStart(l, 2, 0); },
         [](const Level& l) { EXPECT_EQ(std::tuple(l.trainX, l.trainY, l.trainHeading), std::tuple(2, 0, 'e')); }},
        {"finish on its own tile turns south", [](const Level& l) { return PlaceFinish(l, 3, 1); },
         [](const Level& l) { EXPECT_EQ(std::tuple(l.finishX, l.finishY, l.finishHeading), std::tuple(3, 1, 's')); }},
        {"speed up by one", [](const Level& l) { return ChangeSpeed(l, 1); },
         [](const Level& l) { EXPECT_EQ(l.speed, 4.0f); }},
        {"speed down by one", [](const Level& l) { return ChangeSpeed(l, -1); },
         [](const Level& l) { EXPECT_EQ(l.speed, 2.0f); }},
        {"a column at the west moves everything east",
         [&](const Level& l) { return ResizeGrid(l, GridSide::West, true, framed); },
         [](const Level& l) {
             EXPECT_EQ(l.width, 5);
             EXPECT_EQ(Entries(l), "2 1 rails 1 0\n3 1 50pts 1 0\n");
             EXPECT_EQ(std::tuple(l.trainX, l.finishX), std::tuple(1, 4));
             EXPECT_EQ(l.camera->position.x, 7.0f);
         }},
        {"a column at the east moves nothing", [&](const Level& l) { return ResizeGrid(l, GridSide::East, true, framed); },
         [](const Level& l) {
             EXPECT_EQ(l.width, 5);
             EXPECT_EQ(Entries(l), "1 1 rails 1 0\n2 1 50pts 1 0\n");
         }},
        {"a row off the north moves everything north",
         [&](const Level& l) { return ResizeGrid(l, GridSide::North, false, framed); },
         [](const Level& l) {
             EXPECT_EQ(l.height, 2);
             EXPECT_EQ(Entries(l), "1 0 rails 1 0\n2 0 50pts 1 0\n");
             EXPECT_EQ(std::tuple(l.trainY, l.finishY), std::tuple(0, 0));
         }},
        {"a row off the south leaves objects beyond it in the level",
         [&](const Level& l) { return ResizeGrid(l, GridSide::South, false, std::nullopt); },
         [](const Level& l) {
             EXPECT_EQ(l.height, 2);
             EXPECT_EQ(l.objectCount, 2);
             EXPECT_EQ(l.camera->position.x, 0.0f);
         }},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto level = FromText(kSmall);
        EditHistory history;
        auto edit = c.make(*level);
        ASSERT_TRUE(edit);
        history.Do(*level, std::move(edit));
        c.expect(*level);
        const std::string after = LevelText(*level);
        ASSERT_TRUE(history.Undo(*level));
        ExpectSameLevel(*level, *FromText(kSmall), "undone");
        EXPECT_EQ(LevelText(*level), LevelText(*FromText(kSmall)));
        ASSERT_TRUE(history.Redo(*level));
        EXPECT_EQ(LevelText(*level), after);
    }
}

TEST(LevelEdits, EditsThatWouldChangeNothingAreNotMade) {
    auto level = FromText(kSmall);
    EXPECT_FALSE(RemoveObject(*level, 0, 0)) << "an empty tile";
    level->speed = 1.0f;
    EXPECT_FALSE(ChangeSpeed(*level, -1)) << "the speed stays at least 1";
    level->width = 1;
    EXPECT_FALSE(ResizeGrid(*level, GridSide::East, false, std::nullopt)) << "never below one column";
    EXPECT_TRUE(ResizeGrid(*level, GridSide::South, false, std::nullopt)) << "rows are still there to take";
}

TEST(LevelEdits, RemoveTakesThePieceLaidLastOnTheTileAndAStationWithItsRing) {
    auto level = FromText(kSmall);
    EditHistory history;
    history.Do(*level, PlaceObject(*level, "station", 1, 1, 0));
    history.Do(*level, PlaceObject(*level, "block", 3, 0, 0));
    // The station's ring covers (2, 1), where the coin lies, yet the coin is the tile's object.
    history.Do(*level, RemoveObject(*level, 2, 1));
    EXPECT_EQ(Entries(*level), "1 1 rails 1 0\n1 1 station 1 0\n3 0 block 1 0\n");
    history.Do(*level, RemoveObject(*level, 1, 1));
    EXPECT_EQ(Entries(*level), "1 1 rails 1 0\n3 0 block 1 0\n");
    EXPECT_EQ(level->objects.size(), 2u) << "the ring goes with its station";
    // Undone all the way back, the record is the one opened.
    while (history.Undo(*level)) {
    }
    EXPECT_EQ(LevelText(*level), LevelText(*FromText(kSmall)));
    EXPECT_EQ(history.Mark(), 0u);
    // A new edit after undoing starts a new history: what was undone is gone for good.
    history.Do(*level, PlaceObject(*level, "speed", 0, 0, 0));
    EXPECT_FALSE(history.Redo(*level));
    EXPECT_EQ(Entries(*level), "1 1 rails 1 0\n2 1 50pts 1 0\n0 0 speed 1 0\n");
}

TEST(LevelEdits, HeadingsCycleEastSouthWestNorth) {
    auto level = FromText(kSmall);
    EditHistory history;
    std::string seen;
    for (int i = 0; i < 5; ++i) {
        history.Do(*level, PlaceFinish(*level, 1, 2));
        seen += level->finishHeading;
    }
    EXPECT_EQ(seen, "eswne");
}

TEST(ObjectKinds, TrackAndTargetsFirstThenTheStylesOwnModels) {
    EXPECT_EQ(PlaceableKinds({"100pts", "floor", "tree", "block", "rails", "menuIntro", "station", "train", "bullet",
                              "pointer", "lturn", "house"}),
              (std::vector<std::string>{"rails", "lturn", "100pts", "block", "station", "tree", "house"}));
}

TEST(LevelEditorFiles, RunAndListNames) {
    EXPECT_EQ(RunPathFor("levels/06_round.txt"), "levels/06_round.sim");
    EXPECT_EQ(RunPathFor("mine"), "mine.sim");
    TempDir dir;
    ScopedCurrentDir inside(dir.Path());
    std::filesystem::create_directories("levels");
    EXPECT_EQ(ListedName("levels/new.txt"), "new.txt");
    EXPECT_EQ(ListedName("./levels/../levels/new.txt"), "new.txt");
    EXPECT_EQ(ListedName("elsewhere/new.txt"), "");
    EXPECT_EQ(ListedName("new.txt"), "");
}

class Editor : public ::testing::Test {
protected:
    Editor() : inside_(dir_.Path()) {
        dir_.Write("levels.txt", "01_a.txt");  // no line end after the last name
        std::filesystem::create_directories(dir_.Path() / "levels");
        // Spheres a little above the floor, as the real models stand on it.
        shapes_.models["rrecht"].boundCentre = Vec3(0.0f, 0.0f, 1.0f);
        shapes_.models["rrecht"].boundRadius = 2.0f;
        shapes_.models["bullet"].boundRadius = 0.5f;
    }
    std::unique_ptr<LevelEditor> Open(const std::string& path) {
        EditorOpening opening;
        opening.path = path;
        opening.newWidth = 4;
        opening.newHeight = 3;
        opening.newStyle = "standard";
        return std::make_unique<LevelEditor>(opening, nullptr, nullptr, kinds_, nullptr, &shapes_);
    }
    static std::string Verdict(LevelEditor& editor) {
        // The solver ends on its own (the level is tiny); the wait has no deadline of its own.
        while (!editor.solver().Report()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return editor.SolveVerdict();
    }
    TempDir dir_;
    ScopedCurrentDir inside_;
    ResourceCatalogue shapes_{nullptr, nullptr};
    std::vector<std::string> kinds_{"rails", "railscorner", "rrecht", "station"};
};

TEST_F(Editor, ANewLevelIsFramedChecksCleanAndIsListedAtItsFirstSave) {
    auto editor = Open("levels/new.txt");
    const Level& level = editor->level();
    EXPECT_EQ(std::tuple(level.width, level.height, level.trainX, level.trainY, level.trainHeading),
              std::tuple(4, 3, 0, 0, 'e'));
    EXPECT_EQ(std::tuple(level.finishX, level.finishY, level.finishHeading, level.speed), std::tuple(3, 2, 'e', 5.0f));
    ASSERT_TRUE(level.camera);
    EXPECT_GT(level.camera->position.z, 0.0f) << "the view is framed, not the default camera";
    EXPECT_EQ(editor->CheckVerdict(), "no errors, no warnings");
    EXPECT_FALSE(editor->Unsaved());
    EXPECT_FALSE(std::filesystem::exists("levels/new.txt"));

    ASSERT_TRUE(editor->Save());
    EXPECT_NE(editor->message().find("added new.txt to levels.txt"), std::string::npos) << editor->message();
    std::string list;
    ReadTextFile("levels.txt", &list);
    EXPECT_EQ(list, "01_a.txt\nnew.txt\n");
    // A second save does not list it twice.
    ASSERT_TRUE(editor->Save());
    ReadTextFile("levels.txt", &list);
    EXPECT_EQ(list, "01_a.txt\nnew.txt\n");
}

TEST_F(Editor, ANewLevelOutsideTheLevelsFolderIsNotListed) {
    auto editor = Open("mine.txt");
    ASSERT_TRUE(editor->Save());
    EXPECT_NE(editor->message().find("not added to levels.txt"), std::string::npos) << editor->message();
    std::string list;
    ReadTextFile("levels.txt", &list);
    EXPECT_EQ(list, "01_a.txt");
}

TEST_F(Editor, AFileThatDoesNotLoadShowsTheFirstErrorAndStaysUnsaved) {
    dir_.Write("levels/bad.txt", "style standard\nheight 3\nwidth x\n");
    auto editor = Open("levels/bad.txt");
    EXPECT_EQ(editor->message(), "levels/bad.txt:3:7: error: expected an integer (width), found 'x'");
    EXPECT_TRUE(editor->Unsaved());
}

TEST_F(Editor, TheVerdictsFollowTheEdits) {
    dir_.Write("levels/gap.txt",
               "style standard\nheight 3\nwidth 4\ncamera_data\n0 0 0\n0 1 0\n0 0 1\n1 0 0\nobjects 3\n"
               "0 1 rails 1 0\n1 1 rails 1 0\n3 1 rails 1 0\nstart 0 1 e\nfinish 3 1 e\nspeed 5\n");
    auto editor = Open("levels/gap.txt");
    EXPECT_EQ(Verdict(*editor), "no solution found (every sequence of shots the search considers was tried)");
    editor->SetCursor(2, 2);
    editor->NextKind(2);  // rrecht
    ASSERT_TRUE(editor->Place());
    EXPECT_EQ(Verdict(*editor), "winnable in 1 shots (score 0)");
    // An object off the grid: the checker warns and marks its tile.
    ASSERT_TRUE(editor->Resize(GridSide::South, false));
    EXPECT_EQ(editor->CheckVerdict().substr(0, 22), "no errors, 1 warning: ") << editor->CheckVerdict();
    ASSERT_EQ(editor->markedTiles().size(), 1u);
    EXPECT_EQ(editor->markedTiles()[0], std::pair(2, 2));
    EXPECT_TRUE(editor->Unsaved());
    ASSERT_TRUE(editor->Undo());
    ASSERT_TRUE(editor->Undo());
    EXPECT_FALSE(editor->Unsaved()) << "undone back to the file as opened";
}

TEST_F(Editor, AKeptRunIsSavedBesideTheLevelAndDroppedByAChange) {
    auto editor = Open("levels/run.txt");
    editor->KeepWinningRun("frames 1 0.5\n");
    ASSERT_TRUE(editor->Save());
    std::string run;
    ASSERT_TRUE(ReadTextFile("levels/run.sim", &run));
    EXPECT_EQ(run, "frames 1 0.5\n");
    editor->KeepWinningRun("frames 2 0.5\n");
    editor->ChangeSpeedBy(1);
    EXPECT_FALSE(editor->HasWinningRun());
    ASSERT_TRUE(editor->Save());
    ASSERT_TRUE(ReadTextFile("levels/run.sim", &run));
    EXPECT_EQ(run, "frames 1 0.5\n");
}

TEST_F(Editor, KeysMapToTheirEdits) {
    auto editor = Open("levels/keys.txt");
    FakeKeyboard keyboard;
    EditorKeys keys;
    const auto tap = [&](std::initializer_list<int> held, int vk) {
        bool ctrl = false, shift = false;
        for (int h : held) (h == kVkControl ? ctrl : shift) = true;
        keyboard.Press(vk, ctrl, shift);
        return keys.Poll(keyboard, *editor);
    };
    tap({}, kVkRight);
    tap({}, kVkDown);
    EXPECT_EQ(std::pair(editor->cursorX(), editor->cursorY()), std::pair(1, 1));
    tap({kVkShift}, kVkTab);
    EXPECT_EQ(editor->kind(), "station");
    tap({}, kVkTab);
    tap({}, 'R');
    tap({}, kVkReturn);
    EXPECT_EQ(Entries(editor->level()), "1 1 rails 1 90\n");
    tap({}, 'S');
    tap({}, 'S');
    EXPECT_EQ(std::tuple(editor->level().trainX, editor->level().trainY, editor->level().trainHeading),
              std::tuple(1, 1, 's'));
    tap({kVkControl}, kVkLeft);
    EXPECT_EQ(editor->level().width, 5);
    EXPECT_EQ(editor->cursorX(), 2) << "the cursor keeps to its tile";
    tap({kVkControl, kVkShift}, kVkUp);
    EXPECT_EQ(editor->level().height, 2);
    tap({}, kVkPlus);
    EXPECT_EQ(editor->level().speed, 6.0f);
    tap({}, kVkDelete);
    EXPECT_EQ(Entries(editor->level()), "");
    tap({kVkControl}, 'Z');
    EXPECT_EQ(Entries(editor->level()), "2 0 rails 1 90\n");
    tap({kVkControl}, 'Y');
    EXPECT_EQ(Entries(editor->level()), "");
    // Unsaved: the first Escape asks, the second quits.
    EXPECT_EQ(tap({}, kVkEscape), EditorRequest::None);
    EXPECT_FALSE(keys.prompt().empty());
    EXPECT_EQ(tap({}, kVkEscape), EditorRequest::Quit);
    tap({kVkControl}, 'S');
    EXPECT_TRUE(std::filesystem::exists("levels/keys.txt"));
    EXPECT_EQ(tap({}, kVkSpace), EditorRequest::TestPlay);
    EXPECT_EQ(tap({}, kVkEscape), EditorRequest::Quit) << "saved: the first Escape quits";
    // Presses that fall into one frame act in the order made.
    for (int vk : {kVkReturn, kVkRight, kVkReturn, kVkDelete, kVkLeft, kVkTab, kVkReturn}) keyboard.Press(vk);
    keys.Poll(keyboard, *editor);
    EXPECT_EQ(Entries(editor->level()), "2 0 rails 1 90\n2 0 railscorner 1 90\n");
}

}  // namespace
