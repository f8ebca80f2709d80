#include "shell/CommandLine.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "authoring/LevelCode.h"

#ifndef TRACKLET_VERSION
#define TRACKLET_VERSION "unknown"
#endif

namespace {
constexpr int kStart = -1;
constexpr int kUsageError = 2;
constexpr int kLargestSide = 16384;
constexpr int kLargestGrid = 1000;

// One side of a window size: digits only, within 1..kLargestSide.
bool ParseSide(const char* first, const char* last, int* value) {
    if (first == last) return false;
    const auto [end, error] = std::from_chars(first, last, *value);
    return error == std::errc() && end == last && *value >= 1 && *value <= kLargestSide;
}

// Reads and checks the pad script `file`; false with the reason (naming the file, and the line
// when one is wrong).
bool ReadPadScript(const std::string& file, std::vector<PadScriptEvent>* events, std::string* why) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return (*why = "cannot read " + file), false;
    // One byte past the bound shows a file too large without reading all of it.
    std::string text(kPadScriptMaxBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > kPadScriptMaxBytes) return (*why = file + ": larger than 1 MiB"), false;
    int line = 0;
    if (ParsePadScript(text, events, &line, why)) return true;
    *why = file + ":" + std::to_string(line) + ": " + *why;
    return false;
}
}  // namespace

bool ParseWindowSize(const std::string& text, int* width, int* height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const char* begin = text.data();
    return ParseSide(begin, begin + x, width) && ParseSide(begin + x + 1, begin + text.size(), height);
}

bool ParseGridSize(const std::string& text, int* width, int* height) {
    return ParseWindowSize(text, width, height) && *width <= kLargestGrid && *height <= kLargestGrid;
}

int ParseCommandLine(int argc, char** argv, CommandLine* options) {
    CLI::App app{"Tracklet: lay the track in front of the train by shooting at the targets.", "tracklet"};
    app.set_version_flag("--version", "tracklet " TRACKLET_VERSION);
    std::string window;
    const CLI::Validator windowSize(
        [](std::string& text) {
            int w = 0, h = 0;
            return ParseWindowSize(text, &w, &h) ? std::string() : "expected WIDTHxHEIGHT, e.g. 1280x720";
        },
        "");

    // Validators without a description keep the help's column of value names short.
    const CLI::Validator existingFolder = CLI::Validator(CLI::ExistingDirectory).description("");

    // The option table.
    app.add_option("--data", options->dataFolder, "read the game's data from DIR")->type_name("DIR")->check(existingFolder);
    app.add_flag("--verbose", options->verbose, "print why each data file that did not load was refused");
    app.add_option("--window", window, "play in a window of W by H pixels instead of full screen")->type_name("WxH")->check(windowSize);
    app.add_option("--record", options->recordFile, "write the play of each level started to FILE as a tracklet-sim script")->type_name("FILE");
    app.add_option("--profile", options->profileFolder, "keep progress, best runs and settings in DIR")->type_name("DIR");
    app.add_option("--replay", options->replayFile, "watch the run recorded in FILE (by --record, or a best run)")->type_name("FILE")->check(CLI::Validator(CLI::ExistingFile).description(""));
    std::string grid;
    const CLI::Validator gridSize(
        [](std::string& text) {
            int w = 0, h = 0;
            return ParseGridSize(text, &w, &h) ? std::string() : "expected COLUMNSxROWS from 1x1 to 1000x1000, e.g. 8x6";
        },
        "");
    auto* edit = app.add_option("--edit", options->editFile, "edit the level FILE (made new when it does not exist) in the level editor")->type_name("FILE");
    app.add_option("--grid", grid, "the grid of a new level in the editor (default 8x6)")->type_name("WxH")->check(gridSize)->needs(edit);
    auto* level = app.add_option("--level", options->levelFile, "play only the level FILE")->type_name("FILE")->excludes(edit);
    auto* code = app.add_option("--code", options->code, "play only the level of a level code (tracklet-level code)")
                     ->type_name("CODE")->excludes(edit)->excludes(level);
    auto* seed = app.add_option("--seed", options->seed, "play only a level generated from TEXT")
                     ->type_name("TEXT")->excludes(edit)->excludes(level)->excludes(code);
    app.add_option("--difficulty", options->difficulty, "of the generated level: easy, medium (the default) or hard")
        ->type_name("easy|medium|hard")->needs(seed);
    app.add_flag("--watch", options->watch, "reload the level in play whenever its file changes")->excludes(edit);
    auto* padScript = app.add_option("--pad-script", options->padScriptFile, "play the pad events of FILE on a virtual pad (see the README)")->type_name("FILE");
    std::string pacing;
    auto* pacingOption = app.add_option("--pacing", pacing, "for this run, draw frames as fast as possible (fast), with the display (display), or only when the picture changes (rest)")->type_name("fast|display|rest");

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        // --help and --version.
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "tracklet: " << e.what() << "\n\n" << app.help();
        return kUsageError;
    }
    options->seedGiven = seed->count() > 0;
    if (!window.empty()) ParseWindowSize(window, &options->windowWidth, &options->windowHeight);
    if (!grid.empty()) ParseGridSize(grid, &options->gridWidth, &options->gridHeight);
    // A value that is wrong in itself (not in its company) is one line, like a bad --pacing.
    std::string why;
    if (code->count() > 0 && !DecodeLevelCode(options->code, &options->codeText, &why)) {
        std::cerr << "tracklet: --code: " << why << "\n";
        return kUsageError;
    }
    if (options->difficulty != "easy" && options->difficulty != "medium" && options->difficulty != "hard") {
        std::cerr << "tracklet: --difficulty: expected easy, medium or hard, not \"" << options->difficulty << "\"\n";
        return kUsageError;
    }
    if (pacingOption->count() > 0) {
        if (!ParsePacing(pacing, &options->pacing)) {
            std::cerr << "tracklet: --pacing: expected fast, display or rest, not \"" << pacing << "\"\n";
            return kUsageError;
        }
        options->pacingGiven = true;
    }
    if (padScript->count() > 0 && !ReadPadScript(options->padScriptFile, &options->padScript, &why)) {
        std::cerr << "tracklet: --pad-script: " << why << "\n";
        return kUsageError;
    }
    return kStart;
}
