#include "shell/OwnLevel.h"

#include <iostream>

#include "profile/OwnLevels.h"
#include "shell/CommandLine.h"

bool MakeOwnLevel(const CommandLine& options, std::string* path) {
    path->clear();
    std::string why;
    LevelOrigin origin;
    bool made = true;
    if (!options.code.empty()) {
        origin.code = options.code;
        made = WriteCodeLevel(options.codeText, path, &why);
    } else if (options.seedGiven) {
        Difficulty difficulty = Difficulty::Medium;
        ParseDifficulty(options.difficulty, &difficulty);
        origin.seed = options.seed;
        origin.difficulty = DifficultyName(difficulty);
        made = MakeSeedLevel(options.seed, difficulty, path, &why);
    } else {
        return true;
    }
    if (!made) {
        std::cerr << "tracklet: " << why << "\n";
        path->clear();
        return false;
    }
    PlayOwnLevel(*path, origin);
    return true;
}
