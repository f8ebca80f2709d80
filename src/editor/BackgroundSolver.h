#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "authoring/ShotSearch.h"

class ResourceCatalogue;

// The limits the editor searches with: those of `tracklet-level solve` with a 20 s time limit.
SearchLimits EditorSearchLimits();

// Runs the solver of `tracklet-level solve` on a thread of its own, on a level of its own loaded
// from a level file's text, so the caller goes on drawing while it searches. Each Restart cancels
// the search under way and starts a new one.
class BackgroundSolver {
public:
    // `shapes` answers the model lookups of the rules (only the bounding spheres matter); it is
    // used by one search at a time and by nothing else while the solver lives. `limits` bound
    // every search.
    BackgroundSolver(ResourceCatalogue* shapes, SearchLimits limits);
    // Cancels the search under way and waits for its thread.
    ~BackgroundSolver();

    // Cancels the search under way (waiting for it to stop) and starts one for the level text.
    // Every object name in the text must already be known to the process (the caller has loaded
    // the level), so the search thread only looks names up.
    void Restart(const std::string& levelText);
    // Cancels the search under way and starts none.
    void Stop();

    // "searching", "winnable in N shots (score S)" or "no solution found (WHY)"; empty before the
    // first Restart.
    std::string Verdict() const;
    // The last search's report once it has ended; empty while searching.
    std::optional<SearchReport> Report() const;

private:
    ResourceCatalogue* shapes_;
    SearchLimits limits_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    mutable std::mutex mutex_;
    bool started_ = false;
    std::optional<SearchReport> report_;  // guarded by mutex_
};

// The words a report gives the status line (see Verdict).
std::string VerdictText(const SearchReport& report, const SearchLimits& limits);
