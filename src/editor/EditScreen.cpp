#include "editor/EditScreen.h"

#include "authoring/PlayState.h"
#include "editor/EditorDrawing.h"
#include "editor/LevelEditor.h"
#include "editor/ObjectKinds.h"
#include "platform/Clock.h"
#include "screens/GameScreen.h"
#include "screens/InputPath.h"
#include "state/GameState.h"

namespace {

ModelList StyleModels(ResourceCatalogue& catalogue) {
    ModelList models;
    models.listPath = catalogue.StyleFolder(0) + "/models.txt";
    for (const std::string& name : LoadedModelNames(catalogue)) models.names.insert(name);
    return models;
}

// Test play: the game's own play screen on the level as the editor has it, until it is won, lost
// or left with Escape; then the editor is back with the verdict.
class TestPlayScreen : public Screen {
public:
    TestPlayScreen(EditSession& session, std::string cameraFile) : session_(session), play_(std::move(cameraFile)) {
        session_.StartTestPlay();
    }
    ScreenChange Update(ScreenFrame& frame) override {
        ScreenChange change = play_.Update(frame);
        // The title menu's own screens are not the editor's: test play ends before they open.
        if (change.kind == ScreenChange::Kind::Push) change = ScreenChange::Stay();
        if (change.kind == ScreenChange::Kind::Quit) return change;
        return session_.FollowTestPlay() ? ScreenChange::Pop() : std::move(change);
    }
    void Draw(const ScreenFrame& frame) override { play_.Draw(frame); }
    bool TakesMouseEvents() const override { return false; }

private:
    EditSession& session_;
    GameScreen play_;
};

}  // namespace

EditScreen::EditScreen(const EditModeOptions& options, std::string cameraFile) : cameraFile_(std::move(cameraFile)) {
    ResourceCatalogue& catalogue = *g_catalogue;
    const std::vector<std::string> kinds = PlaceableKinds(LoadedModelNames(catalogue));
    // Every name the editor can place is known before the solver's thread starts looking names up.
    for (const std::string& kind : kinds) ObjectName interned(kind);
    shapes_ = CopyShapes(catalogue);  // the solver's thread reads these alone
    models_ = StyleModels(catalogue);
    EditorOpening opening;
    opening.path = options.file;
    opening.newWidth = options.gridWidth;
    opening.newHeight = options.gridHeight;
    opening.newStyle = catalogue.StyleFolder(0);
    editor_ = std::make_unique<LevelEditor>(opening, g_device, g_catalogue, kinds, &models_, shapes_.get());
    session_ = std::make_unique<EditSession>(*editor_);
    g_showTitleMenu = false;
    g_showIntroduction = false;
    g_showGrid = true;
}

EditScreen::~EditScreen() {
    editor_->solver().Stop();
    ReleaseEditorDrawing();
}

ScreenChange EditScreen::Update(ScreenFrame& frame) {
    if (!g_device || benchOver_) return ScreenChange::Quit();
    frameStart_ = PerformanceCounter();
    for (const InputEvent& event : frame.input.Events()) {
        session_->HandleEvent(event);
        // An edit with the mouse withdraws the question as an edit with the keys does.
        if (event.kind == InputEvent::Kind::LeftClick || event.kind == InputEvent::Kind::RightClick ||
            event.kind == InputEvent::Kind::Wheel)
            keys_.Withdraw();
    }
    bench_.Steer(*editor_);
    const EditorRequest request = keys_.Poll(frame.input, *editor_);
    if (request == EditorRequest::Quit) return ScreenChange::Quit();
    if (request == EditorRequest::TestPlay) return ScreenChange::Push(std::make_unique<TestPlayScreen>(*session_, cameraFile_));
    echo_.Follow(*editor_);
    FollowLevelShape(editor_->level(), &width_, &height_);
    return ScreenChange::Stay();
}

void EditScreen::Draw(const ScreenFrame&) {
    DrawEditorFrame(*editor_, keys_.prompt(), &kept_);
    const int64_t frameEnd = PerformanceCounter();
    benchOver_ = bench_.Count(static_cast<double>(frameEnd - frameStart_) / static_cast<double>(PerformanceFrequency()));
}
