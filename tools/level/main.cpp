// tracklet-level: the level author's tool. `check` reports what is wrong in level files, `solve`
// finds shots that win a level with the game's own rules, `frame` computes an opening view that
// shows the whole grid, `render` draws a level with the game's own drawing code, off screen,
// `model` reports what the game makes of `.x` model files.
// Run it in a data folder (the one
// holding styles.txt) so that names are checked against the style's models and shots hit what
// the game's models make them hit.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <regex>

#include "GenerateCommand.h"
#include "LevelRender.h"
#include "LevelTool.h"
#include "ModelReport.h"
#include "platform/ProcessMemory.h"

int main(int argc, char** argv) {
    PrepareLargeBufferMemory();
    CLI::App app{"The level author's tool: checks level files, solves levels with the game's rules, frames\n"
                 "their opening views and draws them.\n"
                 "Run it in a data folder (the one holding styles.txt)."};
    app.require_subcommand(1);

    CLI::App* check = app.add_subcommand("check", "Report the first error and then the warnings of each level file (or the first error of sets.txt)");
    std::vector<std::string> files;
    bool strict = false;
    check->add_option("FILE", files, "level files, paths used as given")->required();
    check->add_flag("--strict", strict, "count warnings as errors");
    check->footer("Messages: FILE:LINE:COLUMN: error|warning: TEXT; for a sets.txt: FILE:LINE: error: TEXT, checked\n"
                  "against the levels.txt beside it.\n"
                  "Exit status: 0 when no file has an error (with --strict: no message at all), 1 otherwise.");

    CLI::App* solve = app.add_subcommand("solve", "Find shots that win a level; print them as a tracklet-sim script");
    std::string level;
    bool best = false;
    SearchLimits limits;
    solve->add_option("FILE", level, "the level file, a path used as given")->required();
    bool stats = false;
    solve->add_flag("--best", best, "search on for the highest score within the limits");
    solve->add_flag("--stats", stats, "print one line of JSON measuring the first win found (no time limit)")
        ->excludes("--best");
    solve->add_option("--max-seconds", limits.maxSeconds, "time limit of the search")
        ->capture_default_str()->check(CLI::Range(0.001, 1e6));
    solve->add_option("--max-nodes", limits.maxNodes, "moments of play from which shots are tried")
        ->capture_default_str()->check(CLI::Range(uint64_t{1}, uint64_t{1} << 40));
    solve->add_option("--max-shots", limits.maxShots, "longest sequence of shots and waits")
        ->capture_default_str()->check(CLI::Range(1, 1000));
    solve->footer("The script replays with: tracklet-sim FILE < script (in the same data folder).\n"
                  "--stats prints {\"shots\", \"traps\", \"pressure\", \"nodes\", \"seconds\", \"score\", \"difficulty\"}\n"
                  "instead, searching within --max-nodes only, so that the figures are the same on every machine.\n"
                  "Exit status: 0 solved, 1 no solution found, 2 the level does not load.");

    CLI::App* frame = app.add_subcommand("frame", "Print the camera_data line of an opening view showing the whole grid");
    std::string framed;
    bool write = false;
    frame->add_option("FILE", framed, "the level file, a path used as given")->required();
    frame->add_flag("--write", write, "also put the camera's twelve numbers into the file in place of its own");
    frame->footer("The view looks north and down at 58 degrees and shows the whole grid at 5:4, 4:3 and 16:9.\n"
                  "--write changes only the twelve numbers after camera_data; every other byte of the file stays.\n"
                  "Exit status: 0 done, 1 no view fits or the file cannot be written, 2 the level does not load.");

    CLI::App* render = app.add_subcommand("render", "Draw a level's opening view (or a contact sheet of levels) into a PNG file");
    RenderRequest request;
    std::string size;
    render->add_option("LEVEL", request.level, "the level file, a path used as given");
    render->add_option("-o,--output", request.output, "the PNG file to write")->required();
    render->add_option("--size", size, "image size WxH (default 1024x768; a sheet's tiles: 320x240)");
    render->add_flag("--top", request.top, "a plan view from straight above the grid's centre, every tile in sight");
    render->add_option("--after", request.after, "a tracklet-sim script to play before drawing (e.g. the winning replay)");
    render->add_option("--sheet", request.sheet, "a level list (like levels.txt): every listed level as a labelled tile");
    render->footer("Draws with the game's own scene code on an off-screen OpenGL device: no display needed.\n"
                   "Exit status: 0 written, 1 a level, the style, the script or the device failed (no file written),\n"
                   "2 the arguments do not make a request.");

    CLI::App* generate = app.add_subcommand("generate", "Make a level from a seed, proven winnable before it is written");
    GenerateOptions generated;
    std::string difficultyWord, grid;
    generate->add_option("--seed", generated.request.seed, "any text")->required();
    generate->add_option("--difficulty", difficultyWord, "easy, medium or hard")
        ->required()->check(CLI::IsMember({"easy", "medium", "hard"}));
    generate->add_option("--grid", grid, "WxH (default 8x6 easy, 10x8 medium, 12x9 hard)");
    generate->add_option("-o,--output", generated.output, "the level file to write (standard output when left out)");
    generate->add_option("--solution", generated.solution, "also write the winning run found, as a tracklet-sim script");
    generate->footer("The same arguments give the same level, byte for byte. Run it in a data folder.\n"
                     "Exit status: 0 written, 1 no proven level within the bounds (or a file not written),\n"
                     "2 bad arguments.");

    CLI::App* hint = app.add_subcommand("hint", "Print the rest of a winning run from where a tracklet-sim script leaves a level");
    std::string hinted;
    uint64_t hintNodes = kHintNodes;
    hint->add_option("LEVEL", hinted, "the level file, a path used as given")->required();
    hint->add_option("--max-nodes", hintNodes, "moments of play from which shots are tried")
        ->capture_default_str()->check(CLI::Range(uint64_t{1}, uint64_t{1} << 40));
    hint->footer("Reads the script on standard input and plays it; then searches on from there (the train, the\n"
                 "track, the targets, the timers and the shots in flight), bounded by nodes only. Prints the rest\n"
                 "of a winning run as solve prints a run (its first shot is the hint), or 'none'.\n"
                 "Exit status: 0 a win is left, 1 none is (or the script is malformed), 2 the level does not load.");

    CLI::App* code = app.add_subcommand("code", "Print a level file as a level code: one line of URL-safe text");
    std::string coded;
    code->add_option("FILE", coded, "the level file, a path used as given")->required();
    code->footer("Exit status: 0 printed, 1 the file does not load as a whole (its first error on stderr).");

    CLI::App* decode = app.add_subcommand("decode", "Write the level file of a level code");
    std::string codeText, decoded;
    decode->add_option("CODE", codeText, "the code, as `code` prints it")->required();
    decode->add_option("-o,--output", decoded, "the level file to write (standard output when left out)");
    decode->footer("The file loads to the same level as the one the code was made from.\n"
                   "Exit status: 0 written, 1 the code is refused (one line on stderr says why) or the file\n"
                   "cannot be written.");

    CLI::App* model = app.add_subcommand("model", "Report what the game makes of .x model files");
    std::vector<std::string> models;
    model->add_option("FILE", models, ".x files, paths used as given")->required();
    model->footer("Per file: how it is written, vertex and triangle counts, each material's colours and texture\n"
                  "(and whether the style's textures.txt lists it), the bounding sphere; or FILE: refused: REASON.\n"
                  "The style is the folder above the models folder the file sits in, else styles.txt's first.\n"
                  "Exit status: 0 every file loads, 1 the game refuses a file.");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kExitOk : kExitUsage;
    }

    if (model->parsed()) return RunModelReport(models, std::cout);
    if (code->parsed()) return RunCode(coded, std::cout, std::cerr);
    if (hint->parsed()) {
        SetUpToolCatalogue();
        return RunHint(hinted, std::cin, hintNodes, std::cout, std::cerr);
    }
    if (generate->parsed()) {
        ParseDifficulty(difficultyWord, &generated.request.difficulty);
        std::string why;
        if (!grid.empty() && !ParseGrid(grid, &generated.request, &why)) {
            std::cerr << "tracklet-level: generate: " << why << "\n";
            return kExitUsage;
        }
        return RunGenerate(generated, std::cout, std::cerr);
    }
    if (decode->parsed()) return RunDecode(codeText, decoded, std::cout, std::cerr);
    if (check->parsed()) return RunCheck(files, strict, DataFolderModels(), std::cout);
    if (frame->parsed()) return RunFraming(framed, write, std::cout, std::cerr);
    if (render->parsed()) {
        if (request.level.empty() == request.sheet.empty()) {
            std::cerr << "tracklet-level: render needs either a LEVEL file or --sheet LIST\n";
            return kExitUsage;
        }
        if (!request.sheet.empty() && !request.after.empty()) {
            std::cerr << "tracklet-level: --after plays one level's script; it does not go with --sheet\n";
            return kExitUsage;
        }
        if (!request.sheet.empty()) request.width = 320, request.height = 240;
        if (!size.empty()) {
            std::smatch m;
            if (!std::regex_match(size, m, std::regex("([0-9]{1,5})x([0-9]{1,5})")) ||
                std::stoi(m[1]) < 16 || std::stoi(m[2]) < 16 || std::stoi(m[1]) > kMaxRenderSide ||
                std::stoi(m[2]) > kMaxRenderSide) {
                std::cerr << "tracklet-level: --size " << size << ": expected WxH, each from 16 to " << kMaxRenderSide
                          << "\n";
                return kExitUsage;
            }
            request.width = std::stoi(m[1]);
            request.height = std::stoi(m[2]);
        }
        return RunRender(request, std::cerr);
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file("styles.txt", ec))
        std::cerr << "tracklet-level: warning: no styles.txt in the current folder: without the style's models "
                     "no shot can hit anything; run solve in the data folder\n";
    SetUpToolCatalogue();
    if (stats) return RunStats(level, limits.maxNodes, std::cout, std::cerr);
    return RunSolve(level, best, limits, std::cout, std::cerr);
}
