#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "TempDir.h"
#include "editor/EditScreen.h"
#include "editor/EditSession.h"
#include "editor/EditorKeys.h"
#include "editor/LevelEditor.h"
#include "graphics/GraphicsSetup.h"
#include "level/LevelWriter.h"
#include "math/MathFunctions.h"
#include "level/TokenReader.h"
#include "platform/Keyboard.h"
#include "profile/ReplayRecorder.h"
#include "screens/InputPath.h"

namespace {

// The editor as the author drives it: keys through EditorKeys, the mouse and test play through
// the session, on a level file in a folder of the test's own.
class EditingSession : public GameFixture {
protected:
    TempDir dir;
    std::unique_ptr<ScopedCurrentDir> inside;
    ResourceCatalogue shapes{nullptr, nullptr};
    std::unique_ptr<LevelEditor> editor;
    FakeKeyboard keyboard;
    EditorKeys keys;

    void SetUp() override {
        GameFixture::SetUp();
        inside = std::make_unique<ScopedCurrentDir>(dir.Path());
        dir.Write("levels.txt", "mine.txt\n");
        std::filesystem::create_directories(dir.Path() / "levels");
        EditorOpening opening;
        opening.path = "levels/mine.txt";
        opening.newWidth = 5;
        opening.newHeight = 4;
        opening.newStyle = "standard";
        editor = std::make_unique<LevelEditor>(opening, nullptr, nullptr,
                                               std::vector<std::string>{"rails", "railscorner", "rrecht"}, nullptr,
                                               &shapes);
    }
    void TearDown() override {
        editor.reset();
        GameFixture::TearDown();
    }
    EditorRequest Tap(int vk, bool ctrl = false) {
        keyboard.Press(vk, ctrl);
        return keys.Poll(keyboard, *editor);
    }
    std::string OnDisk() const {
        std::string text;
        ReadTextFile("levels/mine.txt", &text);
        return text;
    }
    // A camera looking down on the grid, so that the editor's screen can pick tiles.
    void ShowsTheEditor() {
        PlaneFromPointNormal(&g_floorPlane, Vec3(0, 0, 0), Vec3(0, 0, 1));
        device.SetTransform(TransformType::Projection, GameProjection(1024, 768));
        Camera camera;
        camera.position = Vec3(25, 20, 60), camera.look = Vec3(0, 0, -1), camera.up = Vec3(0, -1, 0);
        camera.right = Vec3(1, 0, 0);
        device.SetTransform(TransformType::View, camera.ViewMatrix());
    }
    // Whether Escape, as the first key after whatever came before, asks instead of quitting.
    bool EscapeAsks() {
        EditorKeys fresh;
        keyboard.Press(kVkEscape);
        const EditorRequest request = fresh.Poll(keyboard, *editor);
        EXPECT_EQ(request == EditorRequest::None, !fresh.prompt().empty());
        return request == EditorRequest::None;
    }
};

// Whatever saves, undos and redos came before, Escape asks before quitting exactly when the level
// differs from its file, and quits at once when it is the file as saved.
TEST_F(EditingSession, EscapeAsksWheneverTheLevelDiffersFromItsFile) {
    ASSERT_EQ(Tap('S', true), EditorRequest::None);
    ASSERT_EQ(OnDisk(), editor->Text());
    EXPECT_FALSE(EscapeAsks());
    struct Step {
        const char* what;
        std::vector<std::pair<int, bool>> presses;  // key, with Ctrl
    };
    const std::vector<Step> steps = {
        {"place", {{kVkReturn, false}}},
        {"save", {{'S', true}}},
        {"place another", {{kVkRight, false}, {kVkReturn, false}}},
        {"undo to the saved level", {{'Z', true}}},
        {"redo past it", {{'Y', true}}},
        {"undo twice, before the save", {{'Z', true}, {'Z', true}}},
        {"redo to the saved level", {{'Y', true}}},
        {"undo, then a new edit", {{'Z', true}, {kVkPlus, false}}},
        {"undo the new edit", {{'Z', true}}},
        {"save there", {{'S', true}}},
        {"redo, then undo back to the save", {{'Y', true}, {'Z', true}}},
        {"redo", {{'Y', true}}},
    };
    for (const Step& step : steps) {
        for (auto [vk, ctrl] : step.presses) ASSERT_EQ(Tap(vk, ctrl), EditorRequest::None) << step.what;
        const bool differs = editor->Text() != OnDisk();
        EXPECT_EQ(EscapeAsks(), differs) << step.what << (differs ? ": an edit would be lost" : ": nothing to lose");
    }
}

// The question stands only for the next key: a second Escape in a row quits, while an editor key
// between them withdraws it, so the next Escape asks again.
TEST_F(EditingSession, OnlyASecondEscapeInARowQuitsAnUnsavedLevel) {
    Tap(kVkReturn);
    Tap('S', true);
    Tap(kVkRight), Tap(kVkReturn);
    Tap('Z', true), Tap('Y', true);
    EXPECT_EQ(Tap(kVkEscape), EditorRequest::None);
    EXPECT_FALSE(keys.prompt().empty());
    EXPECT_EQ(Tap(kVkDown), EditorRequest::None);
    EXPECT_TRUE(keys.prompt().empty());
    EXPECT_EQ(Tap(kVkEscape), EditorRequest::None) << "asked again after another key";
    EXPECT_EQ(Tap(kVkEscape), EditorRequest::Quit);
    // Two Escapes in one frame are two in a row as well.
    EditorKeys again;
    keyboard.Press(kVkEscape), keyboard.Press(kVkEscape);
    EXPECT_EQ(again.Poll(keyboard, *editor), EditorRequest::Quit);
}

// Test play runs the level as the editor has it now; it ends when won, lost or left with Escape
// (the title flag), and the editor is told which; a won run is kept for the next save.
TEST_F(EditingSession, TestPlayRunsTheEditedLevelAndEndsWonLostOrLeft) {
    EditSession session(*editor);
    Tap(kVkReturn);
    Tap(kVkPlus);
    const std::string edited = editor->Text();
    const struct {
        const char* how;
        bool won, lost, title;
        const char* message;
    } ends[] = {{"left", false, false, true, "test play ended"},
                {"lost", false, true, false, "test play lost"},
                {"won", true, false, false, "test play won"}};
    for (const auto& end : ends) {
        SCOPED_TRACE(end.how);
        g_showTitleMenu = true;
        session.StartTestPlay();
        ASSERT_TRUE(g_level);
        EXPECT_EQ(LevelText(*g_level), edited);
        EXPECT_FALSE(g_showTitleMenu || g_showIntroduction || g_paused);
        EXPECT_FALSE(session.FollowTestPlay()) << "still playing";
        RecordFrame(0.1f);  // a frame of play, as the play screen records it
        g_level->won = end.won, g_level->lost = end.lost, g_showTitleMenu = end.title;
        ASSERT_TRUE(session.FollowTestPlay());
        EXPECT_EQ(editor->message().rfind(end.message, 0), 0u) << editor->message();
        EXPECT_FALSE(g_showTitleMenu) << "back in the editor, not on the title";
        EXPECT_FALSE(g_level);
        EXPECT_EQ(editor->HasWinningRun(), end.won);
    }
    EXPECT_EQ(editor->Text(), edited) << "playing changes nothing in the level";
}

// A won test play's run is the author's work too: Escape asks until a save has written it beside
// the level, and any edit drops it (its run no longer fits).
TEST_F(EditingSession, AWonRunIsNotLostToEscapeUntilItIsSaved) {
    Tap(kVkReturn);
    Tap('S', true);
    ASSERT_FALSE(EscapeAsks());
    const std::string run = "frames 10 0.1\nprint\n";
    editor->KeepWinningRun(run);
    EXPECT_TRUE(EscapeAsks());
    Tap('S', true);
    EXPECT_FALSE(EscapeAsks());
    std::string saved;
    ASSERT_TRUE(ReadTextFile(RunPathFor("levels/mine.txt"), &saved));
    EXPECT_EQ(saved, run);
    editor->KeepWinningRun(run);
    Tap(kVkRight), Tap(kVkReturn);
    EXPECT_FALSE(editor->HasWinningRun());
}

// In the editor's screen a click is an edit like a key: it withdraws the question Escape asked,
// so the next Escape asks again instead of quitting with the click's edit unsaved.
TEST_F(EditingSession, AClickBetweenTwoEscapesWithdrawsTheQuestion) {
    ShowsTheEditor();
    EditScreen screen({"levels/mine.txt", 5, 4}, "camera.txt");
    InputPath input;
    input.SetSource(&keyboard);
    const auto frame = [&] {
        input.BeginFrame();
        ScreenFrame f{0.02f, 0, input};
        return screen.Update(f).kind;
    };
    keyboard.Press(kVkPlus);
    ASSERT_EQ(frame(), ScreenChange::Kind::Stay);
    ASSERT_TRUE(screen.editor().Unsaved());
    keyboard.Press(kVkEscape);
    ASSERT_EQ(frame(), ScreenChange::Kind::Stay) << "unsaved: Escape asks";
    input.Push(InputEvent{InputEvent::Kind::LeftClick, 0, 512, 384});
    ASSERT_EQ(frame(), ScreenChange::Kind::Stay);
    keyboard.Press(kVkEscape);
    EXPECT_EQ(frame(), ScreenChange::Kind::Stay) << "asked again after the click";
    keyboard.Press(kVkEscape);
    EXPECT_EQ(frame(), ScreenChange::Kind::Quit);
}

// The wheel changes the kind a click places: a notch away from the player goes back in the
// order, towards the player on; the other keys do not reach the session.
TEST_F(EditingSession, TheWheelChoosesTheKindToPlace) {
    EditSession session(*editor);
    session.HandleEvent(InputEvent{InputEvent::Kind::Wheel, 0, 0, 0, 1});
    EXPECT_EQ(editor->kind(), "rrecht");
    session.HandleEvent(InputEvent{InputEvent::Kind::Wheel, 0, 0, 0, -1});
    session.HandleEvent(InputEvent{InputEvent::Kind::Wheel, 0, 0, 0, -1});
    EXPECT_EQ(editor->kind(), "railscorner");
    session.HandleEvent(InputEvent{InputEvent::Kind::KeyDown, kVkReturn});
    EXPECT_FALSE(editor->Unsaved());
}

}  // namespace
