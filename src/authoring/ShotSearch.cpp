#include "authoring/ShotSearch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cmath>
#include <tuple>
#include <unordered_set>

#include "authoring/AimPoints.h"
#include "authoring/PlayState.h"
#include "authoring/TrackDistance.h"
#include "level/Level.h"
#include "rules/Firing.h"
#include "rules/UpdateGame.h"
#include "state/GameState.h"

namespace {

// A shot flies 300 units at most: at 30 units a second and kFrameTime per frame that is 320
// frames; anything beyond this many is a runaway.
constexpr uint64_t kMaxFlightFrames = 4096;
// The longest stretch simulated in one go while waiting; a train this slow is not worth a search.
constexpr uint64_t kMaxWaitFrames = uint64_t{1} << 20;

struct Child {
    PlayState state;
    uint64_t frame;
    std::optional<Shot> shot;  // empty for a wait
    // Ordering: closer to the finish first, then builders, then more points, then earlier.
    std::tuple<int32_t, int, int32_t, uint64_t> key;
};

// A moment of play whose next moments are being searched: what a recursive search would keep in
// its stack frame, kept on an explicit stack so that the search can stop between any two steps.
struct Node {
    PlayState here;
    uint64_t hereFrame = 0;
    int depth = 0;
    std::vector<Child> children;  // in the order they are searched
    size_t next = 0;              // the child to search next; the one before it was searched last
    int32_t traps = 0;
    uint64_t runOff = kNoRunOff;
};

}  // namespace

// A depth-first search over moments of play. Advance goes on exactly where the last call
// stopped, so the moments tried, their order and the result do not depend on the slicing.
class ShotSearch {
public:
    ShotSearch(Level& level, std::vector<Bullet>& bullets, const SearchLimits& limits, bool best,
               const std::atomic<bool>* cancel)
        : limits_(limits), best_(best), level_(level), bullets_(bullets), cancel_(cancel),
          started_(std::chrono::steady_clock::now()), start_(CapturePlay(level, bullets)) {}

    bool Advance(uint64_t nodeBudget) {
        const uint64_t until = nodes_ + std::min(nodeBudget, UINT64_MAX - nodes_);
        while (!ended_) {
            if (nodes_ >= until) return false;
            if (!stack_.empty()) {
                Step();
            } else if (!passStarted_) {
                StartPass();
            } else {
                EndPass();
            }
        }
        return true;
    }

    const SearchReport& Report() const { return report_; }

private:
    // Builders alone usually win; other targets are tried only in a second pass, when they do not.
    void StartPass() {
        passStarted_ = true;
        allTargets_ = best_ || secondPass_;
        visited_.clear();
        frame_ = 0;
        Enter(0);
    }

    void EndPass() {
        RestorePlay(start_, level_, bullets_);
        if (report_.end == SearchReport::End::Exhausted && !report_.solution && !allTargets_) {
            passStarted_ = false;
            secondPass_ = true;
            return;
        }
        if (report_.end == SearchReport::End::Exhausted && depthCut_) report_.end = SearchReport::End::ShotLimit;
        report_.nodes = nodes_;
        ended_ = true;
    }

    bool Over() const { return level_.lost || level_.won; }

    void Frame() {
        if (!Over()) UpdateLevel(level_, bullets_, kFrameTime);
        ++frame_;
    }

    bool Stopping() {
        if (stopped_) return true;
        if (cancel_ && cancel_->load(std::memory_order_relaxed)) {
            report_.end = SearchReport::End::Cancelled;
            return stopped_ = true;
        }
        if (report_.solution && !best_) return stopped_ = true;
        if (nodes_ >= limits_.maxNodes) {
            report_.end = SearchReport::End::NodeLimit;
            return stopped_ = true;
        }
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started_;
        if (spent.count() >= limits_.maxSeconds) {
            report_.end = SearchReport::End::TimeLimit;
            return stopped_ = true;
        }
        return false;
    }

    // Runs on without shooting until the level ends, the train stands still or runs in a ring.
    void RunOut() {
        const size_t maxSteps = level_.objects.size() + 2;
        size_t steps = 0;
        uint64_t frames = 0;
        while (!Over() && steps <= maxSteps && frames < kMaxWaitFrames) {
            const float timer = level_.stepTimer;
            Frame();
            ++frames;
            if (level_.stepTimer < timer || level_.stepTimer == 0.0f) {
                ++steps;
                if (level_.trainHeading == 'x' && bullets_.empty()) break;
            }
        }
    }

    // Runs until no shot is in flight any more.
    void Resolve() {
        for (uint64_t n = 0; n < kMaxFlightFrames && !bullets_.empty() && !Over(); ++n) Frame();
    }

    // Runs until the train has made its next step; false when it never does within the limit.
    bool WaitForStep() {
        for (uint64_t n = 0; n < kMaxWaitFrames && !Over(); ++n) {
            const float timer = level_.stepTimer;
            Frame();
            if (level_.stepTimer < timer || level_.stepTimer == 0.0f) return true;
        }
        return Over();
    }

    static size_t CountLike(const Level& level, const LevelObject& target) {
        return std::count_if(level.objects.begin(), level.objects.end(), [&](const LevelObject& o) {
            return !o.removed && o.name == target.name && o.x == target.x && o.y == target.y;
        });
    }

    std::vector<LevelObject> Targets() const {
        std::vector<LevelObject> targets;
        const bool complete = level_.TrackComplete();
        for (const LevelObject& o : level_.objects) {
            if (o.removed || !IsShootable(o.name)) continue;
            if (IsBuilder(o.name) ? complete : !allTargets_) continue;
            const bool twin = std::any_of(targets.begin(), targets.end(), [&](const LevelObject& t) {
                return t.name == o.name && t.x == o.x && t.y == o.y;
            });
            if (!twin) targets.push_back(o);
        }
        return targets;
    }

    void Record() {
        Solution found{path_, frame_, level_.score, trapsOnPath_, runOffOnPath_};
        auto& current = report_.solution;
        if (!current || found.score > current->score || (found.score == current->score && found.frames < current->frames))
            current = std::move(found);
    }

    // Counts the moment reached and runs it out (recording a win there); unless the search ends
    // here, pushes it with the moments its shots (and a wait) lead to, in the order to search them.
    void Enter(int depth) {
        if (Stopping()) return;
        const PlayState here = CapturePlay(level_, bullets_);
        if (!visited_.insert(Fingerprint(here)).second) return;
        ++nodes_;
        const uint64_t hereFrame = frame_;

        RunOut();
        const uint64_t runOff = level_.lost ? frame_ - hereFrame : kNoRunOff;
        if (level_.won) Record();
        RestorePlay(here, level_, bullets_);
        frame_ = hereFrame;
        if (Stopping()) return;
        if (depth >= limits_.maxShots) {
            depthCut_ = true;
            return;
        }

        std::vector<Child> children;
        int32_t traps = 0;
        bool someTargetOutOfReach = false;
        const Vec3 muzzle = MuzzlePoint(level_);
        for (const LevelObject& target : Targets()) {
            const size_t before = CountLike(level_, target);
            bool hit = false;
            for (const Vec3& aim : AimPoints(muzzle, target, level_.catalogue)) {
                RestorePlay(here, level_, bullets_);
                frame_ = hereFrame;
                // Play takes clicks only while the level is neither lost nor won.
                if (Over()) break;
                FireBulletIn(level_, bullets_, aim, level_.catalogue, nullptr);
                Resolve();
                if (CountLike(level_, target) >= before) continue;
                hit = true;
                const Shot shot{hereFrame, aim.x, aim.y, target.x, target.y};
                if (level_.lost || !AddChild(children, shot, IsBuilder(target.name), here))
                    ++traps;
                break;
            }
            someTargetOutOfReach = someTargetOutOfReach || !hit;
        }
        if (someTargetOutOfReach) {
            RestorePlay(here, level_, bullets_);
            frame_ = hereFrame;
            if (WaitForStep() && !level_.lost) AddChild(children, std::nullopt, false, here);
        }

        std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.key < b.key; });
        KeepFewAlike(children);
        trapsOnPath_ += traps;
        stack_.push_back(Node{here, hereFrame, depth, std::move(children), 0, traps, runOff});
    }

    // One step below the moment on top of the stack: back from the child searched last, then on
    // to its next child; with none left (or the search stopping), back to the moment itself and
    // off the stack. The level is left as the step found it once the moment is off the stack.
    void Step() {
        Node& top = stack_.back();
        if (top.next > 0) {
            if (top.children[top.next - 1].shot) {
                path_.pop_back();
                runOffOnPath_.pop_back();
            }
            if (Stopping()) top.next = top.children.size();
        }
        if (top.next < top.children.size()) {
            const Child& child = top.children[top.next++];
            RestorePlay(child.state, level_, bullets_);
            frame_ = child.frame;
            if (child.shot) {
                path_.push_back(*child.shot);
                runOffOnPath_.push_back(top.runOff);
            }
            Enter(top.depth + 1);  // may grow the stack: neither `top` nor `child` is used after it
            return;
        }
        trapsOnPath_ -= top.traps;
        RestorePlay(top.here, level_, bullets_);
        frame_ = top.hereFrame;
        stack_.pop_back();
    }

    // Shots at different builders of one kind lay the same piece; what differs is which builder
    // is left and how long the shot took. Trying every one of them multiplies the search by the
    // number of twins at every depth, so only the two quickest of each outcome are kept (the
    // second in case the first one's absence blocks a later line of fire).
    static void KeepFewAlike(std::vector<Child>& children) {
        std::vector<Child> kept;
        for (Child& child : children) {
            const auto alike = [&](const Child& other) { return Outcome(other.state) == Outcome(child.state); };
            if (std::count_if(kept.begin(), kept.end(), alike) < 2) kept.push_back(std::move(child));
        }
        children = std::move(kept);
    }

    // What a shot changed for the track and the score, leaving out which target is gone.
    static std::tuple<int32_t, int32_t, char, int32_t, float, size_t, bool> Outcome(const PlayState& s) {
        const size_t pieces = std::count_if(s.objects.begin(), s.objects.end(), [](const LevelObject& o) {
            return o.name == "rails" || o.name == "railscorner";
        });
        return {s.trackEndX, s.trackEndY, s.trackEndHeading, s.score, s.speed, pieces, s.bullets.empty()};
    }

    // False when the moment reached is a lost game in all but name: the track can no longer reach
    // the finish, and the train does not get there on the track that already lies.
    bool AddChild(std::vector<Child>& children, std::optional<Shot> shot, bool builder, const PlayState& here) {
        const int32_t distance = TrackDistance(level_);
        if (distance == kUnreachable && !level_.won) return false;
        children.push_back(Child{CapturePlay(level_, bullets_), frame_, shot,
                                 {distance, builder ? 0 : 1, here.score - level_.score, frame_}});
        return true;
    }

    SearchLimits limits_;
    bool best_;
    Level& level_;
    std::vector<Bullet>& bullets_;
    const std::atomic<bool>* cancel_;
    std::chrono::steady_clock::time_point started_;
    bool allTargets_ = false;
    std::unordered_set<uint64_t> visited_;
    std::vector<Shot> path_;
    int32_t trapsOnPath_ = 0;              // traps at the moments on the way to the present one
    std::vector<uint64_t> runOffOnPath_;   // one per shot of path_
    uint64_t frame_ = 0;
    uint64_t nodes_ = 0;
    bool stopped_ = false;
    bool depthCut_ = false;
    SearchReport report_;
    PlayState start_;
    std::vector<Node> stack_;
    bool passStarted_ = false;
    bool secondPass_ = false;
    bool ended_ = false;
};

ShotSearchRun::ShotSearchRun(Level& level, std::vector<Bullet>& bullets, const SearchLimits& limits, bool best,
                             const std::atomic<bool>* cancel)
    : search_(std::make_unique<ShotSearch>(level, bullets, limits, best, cancel)) {}

ShotSearchRun::~ShotSearchRun() = default;

bool ShotSearchRun::Advance(uint64_t nodeBudget) { return search_->Advance(nodeBudget); }

const SearchReport& ShotSearchRun::Report() const { return search_->Report(); }

SearchReport SearchShots(const SearchLimits& limits, bool best) {
    if (!g_level) return {};
    return SearchShotsIn(*g_level, g_bullets, limits, best, nullptr);
}

SearchReport SearchShotsIn(Level& level, std::vector<Bullet>& bullets, const SearchLimits& limits, bool best,
                           const std::atomic<bool>* cancel) {
    ShotSearch search(level, bullets, limits, best, cancel);
    search.Advance(UINT64_MAX);
    return search.Report();
}

std::string DescribeEnd(const SearchReport& report, const SearchLimits& limits) {
    switch (report.end) {
        case SearchReport::End::NodeLimit:
            return "stopped by the node limit (--max-nodes " + std::to_string(limits.maxNodes) + ")";
        case SearchReport::End::TimeLimit: {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%g", limits.maxSeconds);
            return "stopped by the time limit (--max-seconds " + std::string(seconds) + ")";
        }
        case SearchReport::End::ShotLimit:
            return "every sequence of up to " + std::to_string(limits.maxShots) +
                   " shots was tried (--max-shots limits the length)";
        case SearchReport::End::Cancelled: return "cancelled";
        case SearchReport::End::Exhausted: break;
    }
    return "every sequence of shots the search considers was tried";
}
