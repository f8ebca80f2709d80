#pragma once
#include <iosfwd>
#include <string>

#include "authoring/LevelGenerator.h"

struct GenerateOptions {
    GenerateRequest request;
    std::string output;    // the level file; standard output when empty
    std::string solution;  // the winning run's script; none when empty
};

// generate: makes the level (GenerateLevel, with the data folder's catalogue and models) and
// writes it, and its winning run when asked; 0 written, 1 when no proven level was found (one line
// on err) or a file could not be written.
int RunGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err);

// Reads "WxH" into the request's grid; false (with the reason in *why) unless both lie within
// kMinGeneratedSide..kMaxGeneratedSide.
bool ParseGrid(const std::string& text, GenerateRequest* request, std::string* why);
