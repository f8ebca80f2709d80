#include "LevelRender.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <vector>

#include "authoring/LevelCheck.h"
#include "audio/SoundSystem.h"
#include "graphics/GraphicsSetup.h"
#include "graphics/SceneRendering.h"
#include "math/MathFunctions.h"
#include "platform/ImageWrite.h"
#include "platform/OffscreenGraphics.h"
#include "resources/ResourceCatalogue.h"
#include "sim/SimScript.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

constexpr const char* kTool = "tracklet-level";
constexpr int kRenderFailed = 1;
constexpr int kSamples = kMultisample2Samples;  // as the game's device asks
constexpr int kSheetColumns = 5;
constexpr int kLabelHeight = 30;  // the white strip under each tile of a sheet
constexpr int kLabelFontHeight = 20;

// One level of a sheet: its file and the label under its tile.
struct LevelJob {
    std::string path;
    std::string label;
};

// The process-wide state the drawing code reads, set up as the game has it when play starts,
// on an off-screen device. Taken down again (level, grid, catalogue, device) when it goes.
class RenderSetup {
public:
    ~RenderSetup() {
        g_bullets.clear();
        g_level.reset();
        g_grid.reset();
        g_gridVertexBuffer.reset();
        g_catalogue = nullptr;
        g_device = nullptr;
        g_soundSystem = nullptr;
        catalogue_.reset();
        graphics_.reset();
    }

    // Opens the device of width x height and loads the style of the current folder; false with
    // the message on err.
    bool Open(int width, int height, std::ostream& err) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file("styles.txt", ec)) {
            err << kTool << ": error: no styles.txt in the current folder; run render in a data folder\n";
            return false;
        }
        std::string why;
        graphics_ = OffscreenGraphics::Open(width, height, kSamples, &why);
        if (!graphics_) {
            err << kTool << ": error: cannot draw off screen at " << width << "x" << height << ": " << why << "\n";
            return false;
        }
        sound_.enabled = false;  // no sound device: drawing is silent
        g_device = graphics_->Device();
        g_soundSystem = &sound_;
        catalogue_ = std::make_unique<ResourceCatalogue>(g_device, &sound_);
        g_catalogue = catalogue_.get();
        const bool anyModel = std::any_of(catalogue_->models.begin(), catalogue_->models.end(),
                                          [](const auto& entry) { return entry.second.mesh != nullptr; });
        if (!anyModel) {
            err << catalogue_->StylePath(0, "models.txt") << ": error: no model of the style loaded\n";
            return false;
        }
        g_light = GameLight();
        return true;
    }

    RenderDevice* Device() const { return graphics_->Device(); }
    const OffscreenGraphics& Graphics() const { return *graphics_; }

private:
    std::unique_ptr<OffscreenGraphics> graphics_;
    SoundSystem sound_{nullptr};
    std::unique_ptr<ResourceCatalogue> catalogue_;
};

// The checker's first error of the level file, printed; true when it has none.
bool LevelReads(const std::string& path, std::ostream& err) {
    for (const Diagnostic& d : CheckLevelFile(path, nullptr)) {
        if (d.kind != Diagnostic::Kind::Error) continue;
        err << FormatDiagnostic(path, d) << "\n";
        return false;
    }
    return true;
}

// Runs the simulator script on the level in play; false with the message on err.
bool RunScript(const std::string& script, std::ostream& err) {
    std::ifstream in(script);
    if (!in) {
        err << script << ": error: cannot be opened\n";
        return false;
    }
    std::ostringstream reports, messages;
    if (RunSimScript(in, reports, messages) == 0) return true;
    std::string message = messages.str();
    const std::string prefix = "tracklet-sim: ";
    if (message.rfind(prefix, 0) == 0) message.erase(0, prefix.size());
    err << script << ": error: " << message;
    return false;
}

// A camera straight above the grid's centre looking down, north (towards row 0) up in the
// picture, high enough that the 60-degree view holds every tile and what stands on the border.
Camera TopCamera(const Level& level, float aspect, float* height) {
    const float halfX = 5.0f * static_cast<float>(level.width) + 5.0f;
    const float halfY = 5.0f * static_cast<float>(level.height) + 5.0f;
    const float tanHalfFov = std::tan(3.14159265f / 6.0f);
    // The models stand a few units tall; their tops, nearer the camera, spread further out.
    *height = std::max(halfY, halfX / aspect) / tanHalfFov + 10.0f;
    Camera camera;
    camera.position = Vec3(5.0f * static_cast<float>(level.width), 5.0f * static_cast<float>(level.height), *height);
    camera.look = Vec3(0.0f, 0.0f, -1.0f);
    camera.up = Vec3(0.0f, -1.0f, 0.0f);
    camera.right = Vec3(1.0f, 0.0f, 0.0f);
    return camera;
}

// Loads the level (checked already) as the game starts it, runs the script, and draws it into
// `viewport` of the back buffer. False with the message on err.
bool DrawLevel(const RenderRequest& request, const std::string& path, const Viewport& viewport, std::ostream& err) {
    g_camera = Camera{};  // the game's first view, kept by a level without camera_data
    std::ostringstream ignored;
    if (StartSimLevel(path, ignored) != 0 || !g_level) {
        err << path << ": error: the level does not load\n";
        return false;
    }
    // The start of play: the grid shown, nothing paused, no pointer coordinates.
    g_showGrid = true;
    g_showClickVector = false;
    if (!request.after.empty() && !RunScript(request.after, err)) return false;

    const float aspect = static_cast<float>(viewport.width) / static_cast<float>(viewport.height);
    Matrix4 projection = GameProjection(viewport.width, viewport.height);
    if (request.top) {
        float height = 0.0f;
        g_camera = TopCamera(*g_level, aspect, &height);
        // A big grid puts the camera beyond the game's far plane.
        MatrixPerspectiveFovLH(&projection, 3.14159265f * (1.0f / 3.0f), aspect, 0.5f, std::max(1000.0f, 2.0f * height));
    }
    RenderDevice* device = g_device;
    device->SetViewport(viewport);
    device->SetTransform(TransformType::Projection, projection);
    if (!BeginPlayFrame()) {
        err << path << ": error: the frame could not be cleared\n";
        return false;
    }
    DrawLevelScene(false);
    device->EndScene();
    return true;
}

Viewport WholeImage(int width, int height) {
    return Viewport{0, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height), 0.0f, 1.0f};
}

// The back buffer as RGB bytes.
bool ReadRgb(const OffscreenGraphics& graphics, std::vector<uint8_t>* rgb, int* width, int* height) {
    std::vector<uint8_t> rgba;
    if (!graphics.ReadPixels(&rgba, width, height)) return false;
    rgb->resize(rgba.size() / 4 * 3);
    for (size_t i = 0, j = 0; i + 3 < rgba.size(); i += 4, j += 3) std::memcpy(rgb->data() + j, rgba.data() + i, 3);
    return true;
}

bool Write(const std::string& output, int width, int height, const std::vector<uint8_t>& rgb, std::ostream& err) {
    if (WritePng(output, width, height, 3, rgb)) return true;
    std::error_code ec;
    std::filesystem::remove(output, ec);  // no half-written picture left behind
    err << output << ": error: cannot be written\n";
    return false;
}

int RenderOne(const RenderRequest& request, std::ostream& err) {
    // The level is checked before the device is made: a broken file fails fast.
    if (!LevelReads(request.level, err)) return kRenderFailed;
    RenderSetup setup;
    if (!setup.Open(request.width, request.height, err)) return kRenderFailed;
    if (!DrawLevel(request, request.level, WholeImage(request.width, request.height), err)) return kRenderFailed;
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    if (!ReadRgb(setup.Graphics(), &rgb, &width, &height)) {
        err << kTool << ": error: the drawn image cannot be read back\n";
        return kRenderFailed;
    }
    return Write(request.output, width, height, rgb, err) ? 0 : kRenderFailed;
}

// The levels of a list file, as the game reads its level list: white-space separated names
// of files in the folder "levels".
bool ReadSheetList(const std::string& list, std::vector<LevelJob>* jobs, std::ostream& err) {
    std::ifstream in(list);
    if (!in) {
        err << list << ": error: cannot be opened\n";
        return false;
    }
    int number = 0;
    for (std::string name; in >> name;) {
        if (++number > kMaxSheetLevels) {
            err << list << ": error: more than " << kMaxSheetLevels << " levels for one sheet\n";
            return false;
        }
        jobs->push_back({LevelPath(name), std::to_string(number) + ". " + ReadableLevelName(name)});
    }
    if (jobs->empty()) {
        err << list << ": error: lists no level\n";
        return false;
    }
    return true;
}

int RenderSheet(const RenderRequest& request, std::ostream& err) {
    std::vector<LevelJob> jobs;
    if (!ReadSheetList(request.sheet, &jobs, err)) return kRenderFailed;
    for (const LevelJob& job : jobs)
        if (!LevelReads(job.path, err)) return kRenderFailed;

    // One tile and its label at a time in the back buffer, copied into the sheet.
    const int tileW = request.width, tileH = request.height, cellH = tileH + kLabelHeight;
    const int columns = std::min(kSheetColumns, static_cast<int>(jobs.size()));
    const int rows = (static_cast<int>(jobs.size()) + columns - 1) / columns;
    if (static_cast<long>(columns) * tileW > kMaxRenderSide || static_cast<long>(rows) * cellH > kMaxRenderSide) {
        err << request.sheet << ": error: a sheet of " << jobs.size() << " tiles of " << tileW << "x" << tileH
            << " is larger than " << kMaxRenderSide << " pixels a side\n";
        return kRenderFailed;
    }
    RenderSetup setup;
    if (!setup.Open(tileW, cellH, err)) return kRenderFailed;
    RenderDevice* device = setup.Device();
    FontDesc desc{};
    desc.height = kLabelFontHeight;
    desc.weight = 500;
    desc.charSet = 1;
    std::strncpy(desc.faceName, "Times New Roman", sizeof(desc.faceName) - 1);
    Font* rawFont = nullptr;
    device->CreateFont(desc, &rawFont);
    std::unique_ptr<Font> font(rawFont);

    const int sheetW = columns * tileW, sheetH = rows * cellH;
    std::vector<uint8_t> sheet(static_cast<size_t>(sheetW) * sheetH * 3, 0xFF);
    for (size_t i = 0; i < jobs.size(); ++i) {
        device->SetViewport(WholeImage(tileW, cellH));
        device->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFFFFFFFFu, 1.0f, 0);
        if (!DrawLevel(request, jobs[i].path, WholeImage(tileW, tileH), err)) return kRenderFailed;
        if (font) font->DrawText(jobs[i].label.c_str(), -1, Rect{8, tileH + 4, tileW, cellH}, kTextNoClip, 0xFF000000u);
        std::vector<uint8_t> rgb;
        int w = 0, h = 0;
        if (!ReadRgb(setup.Graphics(), &rgb, &w, &h) || w != tileW || h != cellH) {
            err << kTool << ": error: the drawn image cannot be read back\n";
            return kRenderFailed;
        }
        const int left = static_cast<int>(i) % columns * tileW, top = static_cast<int>(i) / columns * cellH;
        for (int y = 0; y < cellH; ++y)
            std::memcpy(&sheet[(static_cast<size_t>(top + y) * sheetW + left) * 3], &rgb[static_cast<size_t>(y) * tileW * 3],
                        static_cast<size_t>(tileW) * 3);
    }
    return Write(request.output, sheetW, sheetH, sheet, err) ? 0 : kRenderFailed;
}

}  // namespace

int RunRender(const RenderRequest& request, std::ostream& err) {
    const int status = request.sheet.empty() ? RenderOne(request, err) : RenderSheet(request, err);
    err.flush();
    return status;
}
