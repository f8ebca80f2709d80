#include "GenerateCommand.h"

#include <ostream>
#include <regex>

#include "LevelTool.h"
#include "SolveScript.h"
#include "platform/AtomicFile.h"

bool ParseGrid(const std::string& text, GenerateRequest* request, std::string* why) {
    std::smatch m;
    if (std::regex_match(text, m, std::regex("([0-9]{1,3})x([0-9]{1,3})"))) {
        const int32_t w = std::stoi(m[1]), h = std::stoi(m[2]);
        if (w >= kMinGeneratedSide && h >= kMinGeneratedSide && w <= kMaxGeneratedSide && h <= kMaxGeneratedSide) {
            request->width = w;
            request->height = h;
            return true;
        }
    }
    *why = "--grid " + text + ": expected WxH, each from " + std::to_string(kMinGeneratedSide) + " to " +
           std::to_string(kMaxGeneratedSide);
    return false;
}

int RunGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err) {
    const ModelList* models = DataFolderModels();
    ResourceCatalogue* catalogue = SetUpToolCatalogue();
    const std::optional<GeneratedLevel> level = GenerateLevel(options.request, catalogue, models);
    if (!level) {
        err << "tracklet-level: generate: no level proven winnable within the bounds for this seed, difficulty and grid\n";
        return kExitFailed;
    }
    std::string why;
    if (options.output.empty()) {
        out << level->text;
        out.flush();
    } else if (!ReplaceFile(options.output, level->text, &why)) {
        err << "tracklet-level: generate: " << options.output << ": " << why << "\n";
        return kExitFailed;
    }
    if (!options.solution.empty()) {
        const std::string name = options.output.empty() ? "the generated level" : options.output;
        if (!ReplaceFile(options.solution, SolutionScript(name, level->solution), &why)) {
            err << "tracklet-level: generate: " << options.solution << ": " << why << "\n";
            return kExitFailed;
        }
    }
    return kExitOk;
}
