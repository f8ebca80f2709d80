#pragma once
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/Diagnostic.h"
#include "level/Level.h"

// The models a style can draw, for the warning about names without one.
struct ModelList {
    std::string listPath;         // how messages name the list, e.g. "standard/models.txt"
    std::set<std::string> names;  // the names whose mesh loaded
    std::string refused;          // why the list stopped early ("the model 'N' (FILE): REASON"), or empty
};

// Where the loader found the tokens that warnings point at (byte offsets into the file).
struct ReadPlaces {
    LoadTrace trace;               // where the object entries lie
    size_t height = 0, width = 0;
    size_t start = 0, finish = 0;  // the keywords
    size_t speedEnd = 0;           // just past the speed number

    // The offset of token `field` (0 the x, 2 the name) of object entry `entry` in `text`, the
    // text read; 0 for an entry not read in full. Every entry before it must have been read in
    // full with no token read in part, so that each is five whole tokens.
    size_t EntryToken(std::string_view text, size_t entry, int field) const;
};

// Checks one level file as the game reads it: the first error (what was expected and what was
// found), or, when the file reads completely, the warnings in file order. `models` may be null
// (no data folder): then names are not checked. A file with thousands of warnings lists the
// first ones and counts the others in *unlisted (when given). Never throws.
std::vector<Diagnostic> CheckLevelFile(const std::string& path, const ModelList* models, size_t* unlisted = nullptr);

// The same check of a level file's text held in memory (line 0 errors are not given).
std::vector<Diagnostic> CheckLevelText(std::string_view text, const ModelList* models, size_t* unlisted = nullptr);

// True when any diagnostic is an error (or, with strict, any diagnostic at all).
bool Fails(const std::vector<Diagnostic>& diagnostics, bool strict);
