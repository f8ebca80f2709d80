#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "authoring/Diagnostic.h"
#include "authoring/LevelCheck.h"

class Level;

// The warnings about a level that loaded completely, sorted by their place in the file: objects
// off the grid, impassable track pieces, names without a model (when `models` is given), pieces
// hidden by an earlier object on their tile, start or finish off the grid, station rings off the
// grid, text after the speed, a grid too small or too large to draw, a track complete at load.
// Past the first thousand, warnings are only counted, in *unlisted.
std::vector<Diagnostic> LevelWarnings(const Level& level, const ReadPlaces& places, std::string_view text,
                                      const TextPositions& positions, const ModelList* models, size_t* unlisted);
