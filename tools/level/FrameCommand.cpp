#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>
#include <vector>

#include "authoring/LevelFraming.h"
#include "LevelTool.h"
#include "level/Level.h"
#include "platform/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

struct Span {
    size_t start, end;
};

// The byte ranges of the twelve camera numbers, as the game's loader reads them.
std::vector<Span> CameraNumberSpans(const std::string& file, int32_t* width, int32_t* height) {
    std::vector<Span> spans;
    Level level(nullptr, nullptr, "");
    level.tokenObserver = [&spans](const TokenPlace& place) {
        if (std::string_view(place.what) == "a number (camera_data)") spans.push_back({place.start, place.end});
    };
    level.Load(file);
    *width = level.width;
    *height = level.height;
    return spans;
}

bool ReadWhole(const fs::path& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int RunFraming(const std::string& file, bool write, std::ostream& out, std::ostream& err) {
    // A level that does not read completely may not hold the grid its author meant.
    for (const Diagnostic& d : CheckLevelFile(file, nullptr)) {
        if (d.kind != Diagnostic::Kind::Error) continue;
        err << FormatDiagnostic(file, d) << "\n";
        return kExitUsage;
    }
    int32_t width = 0, height = 0;
    const std::vector<Span> spans = CameraNumberSpans(file, &width, &height);
    if (width < 1 || height < 1) {
        err << file << ": error: a grid of " << width << " by " << height << " tiles has nothing to frame\n";
        return kExitFailed;
    }
    const std::optional<Camera> camera = FrameGrid(width, height, kFramingElevation);
    if (!camera) {
        err << file << ": error: the grid of " << width << " by " << height
            << " tiles does not fit in the game's view nearer than its far plane\n";
        return kExitFailed;
    }
    out << "camera_data " << CameraNumbers(*camera) << "\n";
    out.flush();
    if (!write) return kExitOk;

    std::string text;
    if (spans.size() != 12 || !ReadWhole(file, &text) || spans.back().end > text.size()) {
        err << file << ": error: cannot be read again to write the camera into it\n";
        return kExitFailed;
    }
    // Only the twelve numbers change, each in its own place: blanks, line ends and everything
    // after the camera stay byte for byte.
    std::string numbers[12];
    {
        std::istringstream words(CameraNumbers(*camera));
        for (std::string& n : numbers) words >> n;
    }
    std::string written = text;
    for (size_t i = spans.size(); i-- > 0;)
        written.replace(spans[i].start, spans[i].end - spans[i].start, numbers[i]);
    if (written == text) return kExitOk;
    std::string why;
    if (!ReplaceFile(file, written, &why)) {
        err << file << ": error: the camera could not be written: " << why << "\n";
        return kExitFailed;
    }
    return kExitOk;
}
