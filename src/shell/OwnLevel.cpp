#include "shell/OwnLevel.h"

#include <cctype>
#include <filesystem>
#include <iostream>

#include "authoring/LevelGenerator.h"
#include "platform/AtomicFile.h"
#include "profile/ProfileSession.h"
#include "profile/RunScript.h"
#include "resources/ResourceCatalogue.h"
#include "shell/CommandLine.h"
#include "state/GameState.h"

namespace {

// The seed as part of a file name: letters, digits, '-' and '_' kept, the rest '_', 32 at most.
std::string FileNamePart(const std::string& seed) {
    std::string part;
    for (char c : seed.substr(0, 32)) part += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    return part.empty() ? "_" : part;
}

// The names of the models the catalogue loaded, for the generator's check of its levels.
ModelList LoadedModels() {
    ModelList models;
    models.listPath = g_catalogue->StyleFolder(0) + "/models.txt";
    for (const auto& [name, model] : g_catalogue->models)
        if (model.mesh) models.names.insert(name);
    return models;
}

}  // namespace

bool MakeOwnLevel(const CommandLine& options, std::string* path) {
    path->clear();
    std::string text, name;
    if (!options.code.empty()) {
        text = options.codeText;
        name = "code-" + ContentHash(text).substr(0, 12) + ".txt";
    } else if (options.seedGiven) {
        GenerateRequest request;
        request.seed = options.seed;
        ParseDifficulty(options.difficulty, &request.difficulty);
        const ModelList models = LoadedModels();
        const std::optional<GeneratedLevel> level = GenerateLevel(request, g_catalogue, &models);
        if (!level) {
            std::cerr << "tracklet: no level could be made from the seed " << options.seed << "\n";
            return false;
        }
        text = level->text;
        name = "seed-" + options.difficulty + "-" + FileNamePart(options.seed) + "-" +
               ContentHash(options.seed).substr(0, 8) + ".txt";
    } else {
        return true;
    }
    std::error_code ec;
    std::filesystem::path folder = ProfileFolders().dataFolder.empty()
                                       ? std::filesystem::temp_directory_path(ec) / "tracklet-levels"
                                       : std::filesystem::path(ProfileFolders().dataFolder) / "levels";
    std::filesystem::create_directories(folder, ec);
    const std::string file = (folder / name).string();
    std::string why;
    if (!ReplaceFile(file, text, &why)) {
        std::cerr << "tracklet: cannot write the level " << file << ": " << why << "\n";
        return false;
    }
    *path = file;
    return true;
}
