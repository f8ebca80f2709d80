#pragma once
#include <iosfwd>
#include <string>

// The simulator's commands, one per line (blank lines and lines starting with '#' skipped):
//   frames N DT   N frames of DT seconds, each running the per-frame update as play does
//   click X Y     a left click whose ray meets the floor at (X, Y, 0)
//   print         one line of JSON with the state of play
// They act on the process-wide game state, which the caller has set up.

// Loads the level file at path as the level in play, as the game's level loading does, and
// warns on err (naming the file and the token where reading stopped) when it did not load
// completely. Returns 1 when there is no catalogue, else 0.
int StartSimLevel(const std::string& path, std::ostream& err);

// Runs the commands read from in, writing reports to out and messages to err. Returns 0 at the
// end of the input, 2 at the first unknown command or malformed line (the message names the line).
int RunSimScript(std::istream& in, std::ostream& out, std::ostream& err);

// The whole tool: builds the catalogue from the current directory as the game does (a recording
// render device, silent sound), starts the level at levelPath and runs the script.
int RunSimulator(const std::string& levelPath, std::istream& in, std::ostream& out, std::ostream& err);
