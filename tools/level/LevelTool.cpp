#include "LevelTool.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <ostream>

#include "SolveScript.h"
#include "authoring/LevelCode.h"
#include "authoring/LevelDifficulty.h"
#include "platform/AtomicFile.h"
#include "audio/SoundSystem.h"
#include "level/Level.h"
#include "platform/LoadReport.h"
#include "platform/RecordingDevice.h"
#include "resources/LevelSets.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"
#include "sim/SimScript.h"

namespace {

constexpr size_t kMaxMessagesPerFile = 100;

}  // namespace

ResourceCatalogue* SetUpToolCatalogue() {
    // Made once and kept to the end of the process, like the game's own device and catalogue.
    static RecordingDevice device;
    static SoundSystem sound(SoundSystem::NoDevice{});  // the tool stays silent
    g_device = &device;
    g_soundSystem = &sound;
    static ResourceCatalogue catalogue(&device, &sound);
    g_catalogue = &catalogue;
    return &catalogue;
}

const ModelList* DataFolderModels() {
    static std::unique_ptr<ModelList> models;
    if (models) return models.get();
    std::error_code ec;
    if (!std::filesystem::is_regular_file("styles.txt", ec)) return nullptr;
    // The loaders say why a model was refused; the model list stops at the first one.
    std::string refused;
    SetLoadReportSink([&refused](const std::string& file, const std::string& reason) {
        if (refused.empty() && file.find("/models/") != std::string::npos) refused = file + ": " + reason;
    });
    ResourceCatalogue* catalogue = SetUpToolCatalogue();
    SetLoadReportSink(nullptr);
    models = std::make_unique<ModelList>();
    models->listPath = catalogue->StyleFolder(0) + "/models.txt";
    for (const auto& [name, model] : catalogue->models) {
        if (model.mesh) models->names.insert(name);
        else if (!refused.empty()) models->refused = "the model " + name + " (" + refused + ")";
    }
    return models.get();
}

namespace {

// Checks a sets file against the levels.txt beside it; prints its first error, if any.
bool CheckSetsFile(const std::string& file, std::ostream& out) {
    const std::filesystem::path list = std::filesystem::path(file).parent_path() / "levels.txt";
    std::ifstream in(list);
    if (!in) {
        out << FormatSetsError(file, SetsError{0, "no levels.txt beside it to check its levels against"}) << "\n";
        return false;
    }
    std::vector<std::string> levels;
    for (std::string name; in >> name;) levels.push_back(name);
    std::vector<LevelSet> sets;
    SetsError error;
    if (ReadLevelSets(file, levels, &sets, &error)) return true;
    out << FormatSetsError(file, error) << "\n";
    return false;
}

}  // namespace

bool IsSetsFile(const std::string& file) { return std::filesystem::path(file).filename() == "sets.txt"; }

int RunCheck(const std::vector<std::string>& files, bool strict, const ModelList* models, std::ostream& out) {
    int status = kExitOk;
    for (const std::string& file : files) {
        if (IsSetsFile(file)) {
            if (!CheckSetsFile(file, out)) status = kExitFailed;
            continue;
        }
        size_t unlisted = 0;
        const std::vector<Diagnostic> diagnostics = CheckLevelFile(file, models, &unlisted);
        // A generated or damaged file can warn about every one of millions of objects; the first
        // ones say enough, and the count says how bad it is.
        const size_t shown = std::min(diagnostics.size(), kMaxMessagesPerFile);
        for (size_t i = 0; i < shown; ++i) out << FormatDiagnostic(file, diagnostics[i]) << "\n";
        if (shown < diagnostics.size() || unlisted > 0)
            out << file << ": warning: " << diagnostics.size() - shown + unlisted << " more warnings not shown\n";
        if (Fails(diagnostics, strict)) status = kExitFailed;
    }
    out.flush();
    return status;
}

namespace {

// Loads the level file for play as the simulator does; false, with the message on err, when it
// has an error (a level that does not read completely plays differently from what its author
// wrote) or there is nothing to play it with.
bool StartLevelToSearch(const std::string& file, std::ostream& err) {
    for (const Diagnostic& d : CheckLevelFile(file, nullptr)) {
        if (d.kind != Diagnostic::Kind::Error) continue;
        err << FormatDiagnostic(file, d) << "\n";
        return false;
    }
    std::ostringstream ignored;
    if (StartSimLevel(file, ignored) != 0 || !g_level) {
        err << file << ": error: no resource catalogue to play the level with\n";
        return false;
    }
    return true;
}

}  // namespace

int RunCode(const std::string& file, std::ostream& out, std::ostream& err) {
    for (const Diagnostic& d : CheckLevelFile(file, nullptr)) {
        if (d.kind != Diagnostic::Kind::Error) continue;
        err << FormatDiagnostic(file, d) << "\n";
        return kExitFailed;
    }
    Level level(nullptr, nullptr);
    if (level.Load(file) != 0 || level.loadStop) {
        err << file << ": error: does not load as a whole\n";
        return kExitFailed;
    }
    out << EncodeLevelCode(level) << "\n";
    out.flush();
    return kExitOk;
}

int RunDecode(const std::string& code, const std::string& output, std::ostream& out, std::ostream& err) {
    std::string text, why;
    if (!DecodeLevelCode(code, &text, &why)) {
        err << "tracklet-level: decode: " << why << "\n";
        return kExitFailed;
    }
    if (output.empty()) {
        out << text;
        out.flush();
        return kExitOk;
    }
    if (!ReplaceFile(output, text, &why)) {
        err << "tracklet-level: decode: " << output << ": " << why << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

int RunHint(const std::string& file, std::istream& in, uint64_t maxNodes, std::ostream& out, std::ostream& err) {
    if (!StartLevelToSearch(file, err)) return kExitUsage;
    std::ostringstream reports;
    if (RunSimScript(in, reports, err) != 0) return kExitFailed;
    SearchLimits limits;
    limits.maxSeconds = std::numeric_limits<double>::infinity();
    limits.maxNodes = maxNodes;
    const SearchReport report = SearchShots(limits, false);
    if (!report.solution) {
        out << "none\n";
        out.flush();
        return kExitFailed;
    }
    out << SolutionScript(file, *report.solution);
    out.flush();
    return kExitOk;
}

int RunStats(const std::string& file, uint64_t maxNodes, std::ostream& out, std::ostream& err) {
    if (!StartLevelToSearch(file, err)) return kExitUsage;
    const LevelStats stats = MeasureLevel(maxNodes);
    out << StatsJson(stats) << "\n";
    out.flush();
    return stats.won ? kExitOk : kExitFailed;
}

int RunSolve(const std::string& file, bool best, const SearchLimits& limits, std::ostream& out, std::ostream& err) {
    if (!StartLevelToSearch(file, err)) return kExitUsage;

    const SearchReport report = SearchShots(limits, best);
    if (!report.solution) {
        err << file << ": no solution found after " << report.nodes << " search nodes; "
            << DescribeEnd(report, limits) << "\n";
        return kExitFailed;
    }
    const std::string script = SolutionScript(file, *report.solution);
    std::string why;
    if (!ReplayWins(file, script, report.solution->score, &why)) {
        err << file << ": error: the solution found does not replay: " << why << "\n";
        return kExitFailed;
    }
    out << script;
    out << "# found after " << report.nodes << " search nodes\n";
    if (best) out << "# the search for a higher score ended: " << DescribeEnd(report, limits) << "\n";
    out.flush();
    return kExitOk;
}
