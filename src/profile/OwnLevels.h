#pragma once
#include <ctime>
#include <string>

#include "authoring/LevelGenerator.h"

class Level;

// Levels that are not in levels.txt: made from a seed or read from a level code, written into
// the profile's levels/ folder (the system's temporary folder when the profile has no folder) so
// they are played, recorded and watched as any level file is.

// Where a level came from, as players name it to each other; both empty for a listed level.
struct LevelOrigin {
    std::string seed;        // with `difficulty`: a generated level
    std::string difficulty;  // "easy", "medium" or "hard"
    std::string code;        // a level code
    bool Generated() const { return !difficulty.empty(); }
    bool Empty() const { return difficulty.empty() && code.empty(); }
};

// "Seed TEXT (medium)" or "Code T1.…", the line shown with a level of its own origin.
std::string OriginLine(const LevelOrigin& origin);

// The text that names the level to another player: the seed, or the code.
std::string OriginToShare(const LevelOrigin& origin);

// The file a seed's level is written to, in the own-levels folder:
// "seed-DIFFICULTY-SEED-HASH.txt" (the seed's letters, digits, '-' and '_', at most 32, then a
// hash of the whole seed so that different seeds never share a file).
std::string SeedLevelPath(const std::string& seed, Difficulty difficulty);

// The day's level seed: the UTC date of `now` as "YYYY-MM-DD", the same for every player that day.
std::string DaySeed(std::time_t now);

// Generates the seed's level (proven winnable), writes it and gives its path; false with one line
// saying why in *why. Needs the catalogue's style models.
bool MakeSeedLevel(const std::string& seed, Difficulty difficulty, std::string* path, std::string* why);

// Writes the level text of a decoded code as "code-HASH.txt" and gives its path; false with one
// line saying why.
bool WriteCodeLevel(const std::string& levelText, std::string* path, std::string* why);

// Reads a code as players paste it: white space around it dropped, and a link taken at its
// "code=" parameter. Then decodes and writes it as WriteCodeLevel does; false with one line why.
bool MakeCodeLevel(const std::string& pasted, std::string* path, std::string* code, std::string* why);

// A seed of six letters and digits drawn from the system's entropy, for a level nobody asked for.
std::string RandomSeed();

// Plays the level file at `path` from now on for every level asked for (as --level does), with
// its origin named in a corner over play; or, with an empty path, the listed levels again.
void PlayOwnLevel(const std::string& path, const LevelOrigin& origin);
// The origin of the level PlayOwnLevel made the one to play; empty when the list is played.
const LevelOrigin& OwnLevelOrigin();
// Forgets the origin (not the level to play), as the program starts. For tests.
void ForgetOwnLevelOrigin();

// The options of a link to a level: "seed=SEED&difficulty=D" for a generated one (the seed
// percent-encoded), else "code=CODE" with the code of `level` as loaded.
std::string LevelLinkQuery(const LevelOrigin& origin, const Level& level);
