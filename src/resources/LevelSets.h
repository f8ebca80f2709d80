#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The sets the levels are played in, as sets.txt lists them in the data folder. One command a
// line; blank lines and lines starting with '#' carry none:
//   set NAME                          starts a set; the rest of the line is its name
//   level FILE score S time T         a file of levels.txt in the set, with its goals: a score of
//                                     at least S (a whole number) and a win within T seconds of play
// The levels appear in levels.txt in the same order.

struct LevelGoals {
    int32_t score = 0;
    double seconds = 0.0;
};

struct SetLevel {
    std::string file;
    LevelGoals goals;
    int32_t line = 0;  // where sets.txt names it
};

struct LevelSet {
    std::string name;
    std::vector<SetLevel> levels;
    int32_t line = 0;
};

// Where a sets file went wrong: its line (0 for the file as a whole) and what is wrong there.
struct SetsError {
    int32_t line = 0;
    std::string message;
};

// sets.txt larger than this is refused before it is read.
inline constexpr uint64_t kMaxSetsFileBytes = 1u << 20;

// Reads the text of a sets file, checking each level against `levels` (levels.txt's entries): a
// level must be listed there, named once, and come after the one before it. The first error found
// stops the reading.
bool ParseLevelSets(const std::string& text, const std::vector<std::string>& levels, std::vector<LevelSet>* sets,
                    SetsError* error);

// Reads the sets file at path; false with the error when it cannot be read or parsed.
bool ReadLevelSets(const std::string& path, const std::vector<std::string>& levels, std::vector<LevelSet>* sets,
                   SetsError* error);

// "PATH:LINE: error: MESSAGE" (no line part for line 0).
std::string FormatSetsError(const std::string& path, const SetsError& error);

// The sets the player sees, over the levels as levels.txt lists them now: the sets read, keeping
// only their levels still listed; then, when some listed level is in no set (one just added by the
// editor), a last set "More levels" without goals. Without sets (no file, or one refused), one set
// "Levels" of every level, without goals.
struct ShownSet {
    std::string name;
    std::vector<int32_t> levels;                   // indices into levels.txt's entries
    std::vector<std::optional<LevelGoals>> goals;  // one per level
    bool alwaysOpen = false;                       // "More levels" and the only set
};
std::vector<ShownSet> ArrangeSets(const std::vector<LevelSet>& sets, const std::vector<std::string>& levels);
