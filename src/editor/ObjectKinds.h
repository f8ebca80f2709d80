#pragma once
#include <string>
#include <vector>

class ResourceCatalogue;

// The kinds of object the editor places, in the order Tab walks them: rails, railscorner, rturn,
// lturn, rrecht, speed, 50pts, 100pts, block, station (those among `models`), then every other
// name of `models` that is not one of the game's own models (floor, train, bullet, pointer and the
// menu screens), in the order given.
std::vector<std::string> PlaceableKinds(const std::vector<std::string>& models);

// The names of the catalogue's models that loaded a mesh, in name order.
std::vector<std::string> LoadedModelNames(const ResourceCatalogue& catalogue);
