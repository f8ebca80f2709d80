#pragma once
#include <string>

class KeptScene;
class LevelEditor;

// Draws and presents one frame of the editor on g_device: the level as play draws it (its camera,
// light, models and textures, the floor grid on), the object to place shown on the cursor's tile
// with its turn, the cursor's tile outlined, the finish and the tiles the checker's messages
// concern marked, and the texts: the kinds to choose from, the last message, `prompt` (when not
// empty) and the status line. With `kept`, the level's objects and the floor come from it, drawn
// again only when they or the view changed; without, everything is drawn. The same picture.
void DrawEditorFrame(LevelEditor& editor, const std::string& prompt, KeptScene* kept = nullptr);

// Frees the line buffer the marks are drawn with (before the device goes).
void ReleaseEditorDrawing();
