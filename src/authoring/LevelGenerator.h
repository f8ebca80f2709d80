#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "authoring/LevelCheck.h"
#include "authoring/LevelDifficulty.h"
#include "authoring/ShotSearch.h"

class ResourceCatalogue;

enum class Difficulty { Easy, Medium, Hard };

// "easy", "medium", "hard" and back; false for any other word.
bool ParseDifficulty(std::string_view word, Difficulty* difficulty);
const char* DifficultyName(Difficulty difficulty);

// The grid a difficulty gets unless one is asked for: 8x6, 10x8, 12x9.
void DefaultGrid(Difficulty difficulty, int32_t* width, int32_t* height);

// The smallest and largest grid the generator makes.
inline constexpr int32_t kMinGeneratedSide = 5;
inline constexpr int32_t kMaxGeneratedSide = 40;

struct GenerateRequest {
    std::string seed;
    Difficulty difficulty = Difficulty::Medium;
    int32_t width = 0;   // 0: the difficulty's own grid
    int32_t height = 0;
};

struct GeneratedLevel {
    std::string text;   // a level file in the shipped layout
    Solution solution;  // a win the generator found on it
    LevelStats stats;   // as solve --stats measures it
    int32_t attempts = 0;
};

// Makes a level from the seed: a winding route from the west edge to the east edge, laid in
// stretches with gaps that builders of the three kinds fill, and the difficulty's share of score
// and speed targets, shields, stations and tempting wrong builders; then checks it (no warning)
// and proves it winnable with the game's own solver, bounded by a count of nodes. Of the proven
// levels it tries (a bounded number) it keeps the first whose difficulty lies in the band of the
// one asked for, else the one nearest that band. Empty when none was proven. The same request
// gives the same text everywhere. Needs the style's models in `catalogue` (shots hit what they
// make them hit) and their names in `models`.
std::optional<GeneratedLevel> GenerateLevel(const GenerateRequest& request, ResourceCatalogue* catalogue,
                                            const ModelList* models);
