#include "editor/BackgroundSolver.h"

#include "level/Level.h"
#include "platform/ThreadPriority.h"
#include "state/Bullet.h"

SearchLimits EditorSearchLimits() {
    SearchLimits limits;
    limits.maxSeconds = 20.0;
    return limits;
}

BackgroundSolver::BackgroundSolver(ResourceCatalogue* shapes, SearchLimits limits) : shapes_(shapes), limits_(limits) {}

BackgroundSolver::~BackgroundSolver() { Stop(); }

void BackgroundSolver::Stop() {
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
    cancel_ = false;
}

void BackgroundSolver::Restart(const std::string& levelText) {
    Stop();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        started_ = true;
        report_.reset();
    }
    thread_ = std::thread([this, levelText]() {
        // The search gives way to the editor's frames: the author sees a steady picture and the
        // verdict a little later.
        LowerThisThreadPriority();
        // The search's own level: the editor's record is never touched from here.
        Level level(nullptr, shapes_);
        std::vector<Bullet> bullets;
        SearchReport report;
        if (level.LoadText(levelText) == 0) report = SearchShotsIn(level, bullets, limits_, false, &cancel_);
        if (report.end == SearchReport::End::Cancelled) return;
        std::lock_guard<std::mutex> lock(mutex_);
        report_ = std::move(report);
    });
}

std::optional<SearchReport> BackgroundSolver::Report() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return report_;
}

std::string BackgroundSolver::Verdict() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) return "";
    if (!report_) return "searching";
    return VerdictText(*report_, limits_);
}

std::string VerdictText(const SearchReport& report, const SearchLimits& limits) {
    if (report.solution) {
        const size_t shots = report.solution->shots.size();
        return "winnable in " + std::to_string(shots) + " shots (score " +
               std::to_string(report.solution->score) + ")";
    }
    return "no solution found (" + DescribeEnd(report, limits) + ")";
}
