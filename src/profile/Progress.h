#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the game remembers of each level the player has won: a level is known by its file name
// and content hash, so a changed file starts a fresh record while the old one stays (unshown).
struct LevelRecord {
    std::string file;     // "01_first_shot.txt"
    std::string content;  // ContentHash of the file
    bool won = false;
    int32_t bestScore = 0;
    double bestTime = 0.0;  // seconds of play from the start to the win, the shortest
    std::string replay;     // file name in the replays folder of the run that made bestScore
    bool hinted = false;    // won only after a hint: no score, time or replay, and no goal met
};

struct Progress {
    std::vector<LevelRecord> levels;
};

// The record of the level (file, content); null when there is none.
const LevelRecord* FindRecord(const Progress& progress, const std::string& file, const std::string& content);
LevelRecord* FindRecord(Progress& progress, const std::string& file, const std::string& content);

// A won record of the level file with a run, made while its content was other than `content` (the
// file has changed since); null when there is none.
const LevelRecord* FindEarlierRecord(const Progress& progress, const std::string& file, const std::string& content);

// Folds `other` into `into` (the same level): won when either is; a win without a hint replaces
// a hinted one; of two such wins, the higher score with its replay (on a tie, the shorter
// time's, then the one already there) and the shorter winning time.
void MergeRecord(LevelRecord* into, const LevelRecord& other);

// Folds every record of `other` into `into`: a level only one of them knows is taken as it is.
void MergeProgress(Progress* into, const Progress& other);

// The progress as the text of progress.json (version 1).
std::string ProgressToJson(const Progress& progress);

// Reads the text of progress.json into *progress. False, with the reason in *why, when it is not
// JSON, not of the expected shape, or of a version newer than this game knows.
bool ProgressFromJson(const std::string& text, Progress* progress, std::string* why);
