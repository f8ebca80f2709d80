#include "profile/Progress.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;
constexpr int kVersion = 1;

// A replay file name: a plain name inside the replays folder, never a path out of it.
bool PlainFileName(const std::string& name) {
    return name.find('/') == std::string::npos && name.find('\\') == std::string::npos && name != "." &&
           name != "..";
}

// True when `a` is the better best-score run of the two.
bool BetterRun(const LevelRecord& a, const LevelRecord& b) {
    if (a.won != b.won) return a.won;
    if (a.bestScore != b.bestScore) return a.bestScore > b.bestScore;
    return a.bestTime < b.bestTime;
}

}  // namespace

const LevelRecord* FindRecord(const Progress& progress, const std::string& file, const std::string& content) {
    for (const LevelRecord& record : progress.levels)
        if (record.file == file && record.content == content) return &record;
    return nullptr;
}

LevelRecord* FindRecord(Progress& progress, const std::string& file, const std::string& content) {
    for (LevelRecord& record : progress.levels)
        if (record.file == file && record.content == content) return &record;
    return nullptr;
}

const LevelRecord* FindEarlierRecord(const Progress& progress, const std::string& file, const std::string& content) {
    for (const LevelRecord& record : progress.levels)
        if (record.file == file && record.content != content && record.won && !record.replay.empty()) return &record;
    return nullptr;
}

void MergeRecord(LevelRecord* into, const LevelRecord& other) {
    if (!other.won) return;
    if (!into->won || (into->hinted && !other.hinted)) {
        *into = other;
        return;
    }
    if (other.hinted) return;
    if (BetterRun(other, *into)) {
        into->bestScore = other.bestScore;
        into->replay = other.replay;
    }
    into->bestTime = std::min(into->bestTime, other.bestTime);
}

void MergeProgress(Progress* into, const Progress& other) {
    for (const LevelRecord& record : other.levels) {
        LevelRecord* mine = FindRecord(*into, record.file, record.content);
        if (mine) {
            MergeRecord(mine, record);
        } else {
            into->levels.push_back(record);
        }
    }
}

std::string ProgressToJson(const Progress& progress) {
    Json levels = Json::array();
    for (const LevelRecord& r : progress.levels) {
        levels.push_back(Json{{"file", r.file},       {"content", r.content}, {"won", r.won},
                              {"bestScore", r.bestScore}, {"bestTime", r.bestTime}, {"replay", r.replay}});
        // Written only when true, so a game that never gave a hint writes the file as it always did.
        if (r.hinted) levels.back()["hinted"] = true;
    }
    const Json document{{"version", kVersion}, {"levels", std::move(levels)}};
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool ProgressFromJson(const std::string& text, Progress* progress, std::string* why) {
    const Json document = Json::parse(text, nullptr, false);
    if (document.is_discarded()) {
        *why = "not JSON";
        return false;
    }
    if (!document.is_object() || !document.contains("version") || !document["version"].is_number_integer()) {
        *why = "no version number";
        return false;
    }
    if (document["version"].get<int64_t>() > kVersion || document["version"].get<int64_t>() < 1) {
        *why = "version " + document["version"].dump() + ", this game reads version " + std::to_string(kVersion);
        return false;
    }
    if (!document.contains("levels") || !document["levels"].is_array()) {
        *why = "no list of levels";
        return false;
    }
    Progress read;
    for (const Json& level : document["levels"]) {
        const bool shaped = level.is_object() && level.contains("file") && level["file"].is_string() &&
                            level.contains("content") && level["content"].is_string() && level.contains("won") &&
                            level["won"].is_boolean() && level.contains("bestScore") &&
                            level["bestScore"].is_number_integer() && level.contains("bestTime") &&
                            level["bestTime"].is_number() && level.contains("replay") && level["replay"].is_string();
        if (!shaped) {
            *why = "a level entry without file, content, won, bestScore, bestTime and replay";
            return false;
        }
        LevelRecord record;
        record.file = level["file"].get<std::string>();
        record.content = level["content"].get<std::string>();
        record.won = level["won"].get<bool>();
        const int64_t score = level["bestScore"].get<int64_t>();
        record.bestTime = level["bestTime"].get<double>();
        record.replay = level["replay"].get<std::string>();
        record.hinted = level.contains("hinted") && level["hinted"].is_boolean() && level["hinted"].get<bool>();
        if (score < INT32_MIN || score > INT32_MAX || !std::isfinite(record.bestTime) || record.bestTime < 0.0 ||
            !PlainFileName(record.replay)) {
            *why = "a level entry with a value out of range: " + record.file;
            return false;
        }
        record.bestScore = static_cast<int32_t>(score);
        // A level named twice keeps the better of its entries.
        if (LevelRecord* known = FindRecord(read, record.file, record.content)) {
            MergeRecord(known, record);
        } else {
            read.levels.push_back(std::move(record));
        }
    }
    *progress = std::move(read);
    return true;
}
