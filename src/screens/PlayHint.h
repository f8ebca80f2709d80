#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "authoring/ShotSearch.h"
#include "level/Level.h"
#include "resources/ResourceCatalogue.h"
#include "state/Bullet.h"

// A hint asked for during play: the game's solver searches for a win from the moment of play it
// was asked at (kHintNodes moments at most), on a copy of the level, so play's own level is never
// touched. Where there are threads the search runs on one of its own; in the browser it runs a
// slice a frame. Both run the same resumable search, so they find the same win.
class PlayHint {
public:
    PlayHint() = default;
    PlayHint(const PlayHint&) = delete;
    PlayHint& operator=(const PlayHint&) = delete;
    // Cancels a search under way and waits for its thread.
    ~PlayHint();

    // Starts a search from `level` with `bullets` in flight as they are now.
    void Start(const Level& level, const std::vector<Bullet>& bullets);
    // Ends the hint: a search under way is cancelled, nothing is marked any more.
    void End();
    // True from Start to End.
    bool Active() const { return active_; }
    // Once a frame while active: searches a slice (without threads), or takes the thread's result
    // once it has ended.
    void Update();

    // The line over play: searching, where to shoot, or that no win was found (and why).
    std::string Line() const;
    // The tile of the target the winning run shoots first; empty while searching or with no win.
    std::optional<std::pair<int32_t, int32_t>> MarkedTile() const;
    // The search's report once it has ended (the winning run, if any, counts frames from the
    // moment the hint was asked at); empty while searching.
    const std::optional<SearchReport>& Result() const { return result_; }

private:
    void Join();

    bool active_ = false;
    std::unique_ptr<ResourceCatalogue> shapes_;  // the search's own copy of the models' spheres
    std::unique_ptr<Level> level_;                // the search's own copy of the level in play
    std::vector<Bullet> bullets_;
    std::unique_ptr<ShotSearchRun> search_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    std::optional<SearchReport> result_;
};

// The line PlayHint shows for a search's report: shoot now, or after a wait when the winning run's
// first shot comes later; with no win, whether every way on was tried or the bound stopped it.
std::string HintLine(const SearchReport& report);
