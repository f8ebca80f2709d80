#include "profile/OwnLevels.h"

#include <cctype>
#include <filesystem>
#include <random>

#include "authoring/LevelCode.h"
#include "platform/AtomicFile.h"
#include "profile/ProfileSession.h"
#include "profile/RunScript.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

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

std::filesystem::path OwnLevelsFolder() {
    std::error_code ec;
    return ProfileFolders().dataFolder.empty() ? std::filesystem::temp_directory_path(ec) / "tracklet-levels"
                                               : std::filesystem::path(ProfileFolders().dataFolder) / "levels";
}

bool WriteOwnLevel(const std::string& path, const std::string& text, std::string* why) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (ReplaceFile(path, text, why)) return true;
    *why = "cannot write the level " + path + ": " + *why;
    return false;
}

std::string Trimmed(const std::string& text) {
    const char* space = " \t\r\n";
    const size_t first = text.find_first_not_of(space);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

}  // namespace

std::string OriginLine(const LevelOrigin& origin) {
    if (origin.Generated()) return "Seed " + origin.seed + " (" + origin.difficulty + ")";
    if (!origin.code.empty()) return "Code " + origin.code;
    return "";
}

std::string OriginToShare(const LevelOrigin& origin) { return origin.Generated() ? origin.seed : origin.code; }

std::string SeedLevelPath(const std::string& seed, Difficulty difficulty) {
    const std::string name = std::string("seed-") + DifficultyName(difficulty) + "-" + FileNamePart(seed) + "-" +
                             ContentHash(seed).substr(0, 8) + ".txt";
    return (OwnLevelsFolder() / name).string();
}

std::string DaySeed(std::time_t now) {
    std::tm utc{};
    gmtime_r(&now, &utc);
    char day[16];
    std::strftime(day, sizeof day, "%Y-%m-%d", &utc);
    return day;
}

bool MakeSeedLevel(const std::string& seed, Difficulty difficulty, std::string* path, std::string* why) {
    if (!g_catalogue) {
        *why = "no style is loaded to make a level with";
        return false;
    }
    GenerateRequest request;
    request.seed = seed;
    request.difficulty = difficulty;
    const ModelList models = LoadedModels();
    const std::optional<GeneratedLevel> level = GenerateLevel(request, g_catalogue, &models);
    if (!level) {
        *why = "no level could be made from the seed " + seed;
        return false;
    }
    *path = SeedLevelPath(seed, difficulty);
    return WriteOwnLevel(*path, level->text, why);
}

bool WriteCodeLevel(const std::string& levelText, std::string* path, std::string* why) {
    *path = (OwnLevelsFolder() / ("code-" + ContentHash(levelText).substr(0, 12) + ".txt")).string();
    return WriteOwnLevel(*path, levelText, why);
}

bool MakeCodeLevel(const std::string& pasted, std::string* path, std::string* code, std::string* why) {
    std::string text = Trimmed(pasted.substr(0, kMaxLevelCodeBytes + 4096));
    const size_t parameter = text.find("code=");
    if (parameter != std::string::npos) {
        text = text.substr(parameter + 5);
        text = text.substr(0, text.find_first_of("&# \t\r\n"));
    }
    std::string levelText;
    if (!DecodeLevelCode(text, &levelText, why)) return false;
    *code = text;
    return WriteCodeLevel(levelText, path, why);
}

std::string RandomSeed() {
    static constexpr char kLetters[] = "abcdefghijkmnpqrstuvwxyz23456789";
    std::random_device entropy;
    std::string seed;
    for (int i = 0; i < 6; ++i) seed += kLetters[entropy() % (sizeof kLetters - 1)];
    return seed;
}

namespace {
LevelOrigin& PlayedOrigin() {
    static LevelOrigin origin;
    return origin;
}
}  // namespace

void PlayOwnLevel(const std::string& path, const LevelOrigin& origin) {
    PlayOnlyLevel(path);
    PlayedOrigin() = path.empty() ? LevelOrigin{} : origin;
    g_levelLabel = OriginLine(PlayedOrigin());
}

const LevelOrigin& OwnLevelOrigin() { return PlayedOrigin(); }

void ForgetOwnLevelOrigin() { PlayedOrigin() = LevelOrigin{}; }

std::string LevelLinkQuery(const LevelOrigin& origin, const Level& level) {
    if (!origin.Generated()) return "code=" + (origin.code.empty() ? EncodeLevelCode(level) : origin.code);
    std::string seed;
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (unsigned char c : origin.seed) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            seed += static_cast<char>(c);
        } else {
            seed += '%';
            seed += kHex[c >> 4];
            seed += kHex[c & 15];
        }
    }
    return "seed=" + seed + "&difficulty=" + origin.difficulty;
}
