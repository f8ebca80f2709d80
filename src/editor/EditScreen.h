#pragma once
#include <memory>
#include <string>
#include <vector>

#include "editor/EditSession.h"
#include "authoring/LevelCheck.h"
#include "graphics/KeptScene.h"
#include "editor/EditorKeys.h"
#include "resources/ResourceCatalogue.h"
#include "screens/Screen.h"

class LevelEditor;

// What `tracklet --edit FILE [--grid WxH]` asks for.
struct EditModeOptions {
    std::string file;      // the level file, relative to the data folder or absolute
    int gridWidth = 8;     // the grid of a new level
    int gridHeight = 6;
};

// The level editor in the game's window: editing with the keys and the mouse, test play in the
// game's own play mode (Space) with its run recorded as `--record` writes it, until the author
// quits it (Escape, asked again when there are unsaved changes).
class EditScreen : public Screen {
public:
    // Opens the level of `options` with the catalogue's models (g_catalogue must be loaded).
    explicit EditScreen(const EditModeOptions& options, std::string cameraFile);
    ~EditScreen() override;
    ScreenChange Update(ScreenFrame& frame) override;
    void Draw(const ScreenFrame& frame) override;
    bool KeepsGameUpkeep() const override { return false; }

    LevelEditor& editor() { return *editor_; }

private:
    std::unique_ptr<ResourceCatalogue> shapes_;
    ModelList models_;
    std::unique_ptr<LevelEditor> editor_;
    std::unique_ptr<EditSession> session_;
    std::string cameraFile_;
    EditorKeys keys_;
    StatusEcho echo_;
    EditorBench bench_;
    int32_t width_ = -1, height_ = -1;
    int64_t frameStart_ = 0;
    bool benchOver_ = false;
    KeptScene kept_;  // the level's objects and the floor, drawn again when an edit or the view changes them
};
