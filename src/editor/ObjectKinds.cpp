#include "editor/ObjectKinds.h"

#include <algorithm>

#include "resources/ResourceCatalogue.h"

namespace {

constexpr const char* kTrackAndTargets[] = {"rails",  "railscorner", "rturn", "lturn", "rrecht",
                                            "speed",  "50pts",       "100pts", "block", "station"};
constexpr const char* kGameModels[] = {"floor", "train", "bullet", "pointer"};

bool Has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool GamesOwn(const std::string& name) {
    for (const char* own : kGameModels)
        if (name == own) return true;
    return name.rfind("menu", 0) == 0;
}

}  // namespace

std::vector<std::string> PlaceableKinds(const std::vector<std::string>& models) {
    std::vector<std::string> kinds;
    for (const char* kind : kTrackAndTargets)
        if (Has(models, kind)) kinds.push_back(kind);
    for (const std::string& name : models)
        if (!GamesOwn(name) && !Has(kinds, name)) kinds.push_back(name);
    return kinds;
}

std::vector<std::string> LoadedModelNames(const ResourceCatalogue& catalogue) {
    std::vector<std::string> names;
    for (const auto& [name, model] : catalogue.models)
        if (model.mesh) names.push_back(name);
    return names;
}
