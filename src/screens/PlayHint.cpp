#include "screens/PlayHint.h"

#include <charconv>
#include <iostream>
#include <limits>

#include "authoring/PlayState.h"

namespace {

// Moments a frame searches where there is no thread to search on. A moment costs about a
// millisecond on a shipped level (every shot from it is flown to its end), so a frame stays
// within a few tens of milliseconds, and a hint of a few thousand moments takes a few seconds.
constexpr uint64_t kNodesPerFrame = 16;

SearchLimits HintLimits() {
    SearchLimits limits;
    limits.maxNodes = kHintNodes;
    limits.maxSeconds = std::numeric_limits<double>::infinity();
    return limits;
}

// The shortest decimal that reads back as the same float, as tracklet-level writes its clicks.
std::string Number(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

PlayHint::~PlayHint() { End(); }

void PlayHint::Join() {
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
    cancel_ = false;
}

void PlayHint::Start(const Level& level, const std::vector<Bullet>& bullets) {
    End();
    active_ = true;
    done_ = false;
    shapes_ = level.catalogue ? CopyShapes(*level.catalogue) : nullptr;
    level_ = CopyLevelForSearch(level, bullets, shapes_.get(), &bullets_);
    search_ = std::make_unique<ShotSearchRun>(*level_, bullets_, HintLimits(), false, &cancel_);
#ifndef __EMSCRIPTEN__
    // The thread touches nothing of the game's: its level, bullets and spheres are its own.
    thread_ = std::thread([this]() {
        search_->Advance(UINT64_MAX);
        done_ = true;
    });
#endif
}

void PlayHint::End() {
    Join();
    active_ = false;
    search_.reset();
    level_.reset();
    shapes_.reset();
    bullets_.clear();
    result_.reset();
}

void PlayHint::Update() {
    if (!active_ || result_) return;
#ifdef __EMSCRIPTEN__
    if (search_->Advance(kNodesPerFrame)) done_ = true;
#endif
    if (!done_) return;
    Join();
    result_ = search_->Report();
    if (result_->solution && !result_->solution->shots.empty()) {
        const Shot& first = result_->solution->shots.front();
        std::cerr << "hint: click " << Number(first.x) << " " << Number(first.y) << " after " << first.frame
                  << " frames\n";
    }
}

std::string PlayHint::Line() const {
    if (!active_) return "";
    if (!result_) return "Hint: searching...";
    return HintLine(*result_);
}

std::optional<std::pair<int32_t, int32_t>> PlayHint::MarkedTile() const {
    if (!result_ || !result_->solution || result_->solution->shots.empty()) return std::nullopt;
    const Shot& first = result_->solution->shots.front();
    return std::make_pair(first.targetX, first.targetY);
}

std::string HintLine(const SearchReport& report) {
    if (report.solution) {
        if (report.solution->shots.empty()) return "Hint: no shot is needed, the train gets there";
        if (report.solution->shots.front().frame > 0) return "Hint: wait, then shoot the marked target";
        return "Hint: shoot the marked target";
    }
    if (report.end == SearchReport::End::NodeLimit) return "Hint: no win found within the search's bound";
    return "Hint: no win is left from here";
}
