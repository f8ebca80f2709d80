// tracklet-sim LEVEL_FILE: runs the game's rules headless on one level, reading commands from
// standard input and printing the state of play as JSON. Run it in a data folder.
#include <CLI/CLI.hpp>
#include <iostream>

#include "sim/SimScript.h"
#include "platform/ProcessMemory.h"

int main(int argc, char** argv) {
    PrepareLargeBufferMemory();
    CLI::App app{"Runs the game's rules headless on one level file, driven by commands on standard input.\n"
                 "Run it in a data folder (the one holding styles.txt and levels.txt)."};
    app.footer(
        "Commands, one per line (blank lines and lines starting with # are skipped):\n"
        "  frames N DT   run N frames of DT seconds each\n"
        "  click X Y [Z] left click on the floor point (X, Y, Z); Z is 0 when left out\n"
        "  print         print the state of play as one line of JSON\n"
        "Exit status: 0 at the end of input, 2 for an unknown command or a malformed line;\n"
        "with --expect-win, 1 when the level is not won at the end (the message gives the frame).");
    std::string levelFile;
    app.add_option("LEVEL_FILE", levelFile, "the level file to play, a path used as given")->required();
    bool expectWin = false;
    app.add_flag("--expect-win", expectWin, "fail, naming the level and the frame where play went astray, unless the level is won");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    return RunSimulator(levelFile, std::cin, std::cout, std::cerr, expectWin);
}
