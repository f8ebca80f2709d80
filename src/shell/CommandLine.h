#pragma once
#include <string>
#include <vector>

#include "platform/PadScript.h"
#include "profile/Settings.h"

// What the player asked for on the game's command line. An option is one field here and one
// line in CommandLine.cpp's option table.
struct CommandLine {
    std::string dataFolder;  // --data DIR; empty: the current folder or the installed data
    int windowWidth = 0;     // --window WxH; 0 by 0 plays full screen
    int windowHeight = 0;
    bool verbose = false;    // --verbose: say on stderr why each file that did not load was refused
    std::string recordFile;  // --record FILE; empty: play is not recorded
    std::string profileFolder;  // --profile DIR; empty: the XDG folders
    std::string replayFile;     // --replay FILE; empty: the title screen
    std::string editFile;    // --edit FILE: the level editor on FILE instead of the game
    int gridWidth = 8;       // --grid WxH: the grid of a level the editor makes new
    int gridHeight = 6;
    std::string levelFile;   // --level FILE: play only this level file
    bool watch = false;      // --watch: reload the level in play when its file changes
    std::string code;        // --code CODE: play only the level of this level code
    std::string codeText;    // the level file text of the code, decoded while checking it
    std::string seed;        // --seed TEXT: play only the level generated from TEXT
    bool seedGiven = false;  // (any text is a seed, the empty one too)
    std::string difficulty = "medium";  // --difficulty of the generated level
    bool pacingGiven = false;  // --pacing fast|display|rest: this run's frame pacing, not the setting's
    FramePacing pacing = FramePacing::Fast;
    std::string padScriptFile;  // --pad-script FILE: a virtual pad plays FILE
    std::vector<PadScriptEvent> padScript;  // its events, read while checking the command line
};

// Reads argv into *options. Returns -1 when the game is to start, otherwise the status to exit
// with at once: 0 after --help or --version (printed on stdout), 2 after a bad command line
// (the reason and the usage on stderr; for a --pacing that names no pacing or a --pad-script
// that cannot be played, one line).
int ParseCommandLine(int argc, char** argv, CommandLine* options);

// Reads "WxH" (each 1 to 16384 pixels) into *width and *height; false when the text is not that.
bool ParseWindowSize(const std::string& text, int* width, int* height);

// Reads a grid size "WxH" (each 1 to 1000 tiles); false when the text is not that.
bool ParseGridSize(const std::string& text, int* width, int* height);
