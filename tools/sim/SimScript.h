#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

// The simulator's commands, one per line (blank lines and lines starting with '#' skipped):
//   frames N DT   N frames of DT seconds, each running the per-frame update as play does
//   click X Y [Z] a left click whose ray meets the floor at (X, Y, Z); Z is 0 when left out (the
//                 game's own pick can land a rounding error off the floor, and a recording keeps it)
//   print         one line of JSON with the state of play and the seconds of play so far
// They act on the process-wide game state, which the caller has set up.

// Loads the level file at path as the level in play, as the game's level loading does, and
// warns on err (naming the file and the token where reading stopped) when it did not load
// completely. Returns 1 when there is no catalogue, else 0.
int StartSimLevel(const std::string& path, std::ostream& err);

// How far a script got: the frames it ran, the frame (counted from 1) during which the level was
// lost or won (0 while it is in play), and the seconds of play: the dt of every frame that began
// with the level in play, summed as the game sums a run's time for its best time.
struct SimProgress {
    uint64_t frames = 0;
    uint64_t endFrame = 0;
    double seconds = 0.0;
};

// Runs the commands read from in, writing reports to out and messages to err, and counting the
// frames in *progress when given. Returns 0 at the end of the input, 2 at the first unknown
// command or malformed line (the message names the line).
int RunSimScript(std::istream& in, std::ostream& out, std::ostream& err, SimProgress* progress = nullptr);

// "won at frame F", "lost at frame F" or "still in play after frame F": where a replay ended, with
// the train's tile and heading, for messages.
std::string DescribeReplayEnd(const SimProgress& progress);

// The whole tool: builds the catalogue from the current directory as the game does (a recording
// render device, silent sound), starts the level at levelPath and runs the script. With expectWin,
// a script that ends without the level won returns 1 and says on err, naming the level file, the
// frame at which the replay went astray.
int RunSimulator(const std::string& levelPath, std::istream& in, std::ostream& out, std::ostream& err,
                 bool expectWin = false);
