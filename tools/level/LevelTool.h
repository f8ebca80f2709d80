#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "authoring/LevelCheck.h"
#include "authoring/ShotSearch.h"

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // check: a file has an error; solve: no solution found;
                                       // frame: no view fits, or the file could not be written;
                                       // render: no picture
inline constexpr int kExitUsage = 2;   // solve, frame: the level does not load

// Sets up what the game sets up before a level, from the current directory, once per process: a
// recording render device, a silent sound system and the resource catalogue (styles.txt,
// style 0's models, sounds and textures, levels.txt). Returns the catalogue.
class ResourceCatalogue* SetUpToolCatalogue();

// The names whose model loaded in the catalogue, for the checker; null when the current
// directory is not a data folder (it holds no styles.txt).
const ModelList* DataFolderModels();

// True for a file named sets.txt, which check reads as the list of sets, not as a level.
bool IsSetsFile(const std::string& file);
// check: checks every file and prints its messages to out; 0 when no file has an error (with
// strict: no message at all), else 1. A sets file is checked against the levels.txt beside it
// and only its first error is printed ("FILE:LINE: error: TEXT").
int RunCheck(const std::vector<std::string>& files, bool strict, const ModelList* models, std::ostream& out);

// solve: searches a winning sequence of shots for the level file, replays it in-process through
// the simulator and prints it as a script to out; messages go to err. 0 when solved, 1 when no
// solution was found, 2 when the level does not load. Needs SetUpToolCatalogue (or another
// catalogue in g_catalogue).
int RunSolve(const std::string& file, bool best, const SearchLimits& limits, std::ostream& out, std::ostream& err);

// solve --stats: measures the level file's first win within maxNodes search nodes and prints
// StatsJson as one line to out; messages go to err. 0 when a win was found, 1 when none was, 2 when
// the level does not load (nothing is printed to out then).
int RunStats(const std::string& file, uint64_t maxNodes, std::ostream& out, std::ostream& err);
// code: prints the level code of the level file and a line end to out; 0, or 1 with the file's
// first error on err when it does not load as a whole.
int RunCode(const std::string& file, std::ostream& out, std::ostream& err);
// decode: writes the level text of the code to `output` (one atomic replacement) or, when it is
// empty, to out; 0, or 1 with one line on err when the code is refused or the file not written.
int RunDecode(const std::string& code, const std::string& output, std::ostream& out, std::ostream& err);
// hint: plays the script read from `in` on the level file, then searches on from the state it
// reaches within maxNodes nodes and prints the rest of a winning run as a script (frames counted
// from that state), or "none". 0 when a win is left, 1 when none is or the script is malformed, 2
// when the level does not load. Needs SetUpToolCatalogue.
int RunHint(const std::string& file, std::istream& in, uint64_t maxNodes, std::ostream& out, std::ostream& err);
// frame: prints the "camera_data" line of the opening view that shows the file's whole grid at
// every aspect from 5:4 to 16:9; with write, also puts its twelve numbers into the file in place
// of the old ones, keeping every other byte. 0 when done, 1 when no view fits or the file cannot be
// written (then it is unchanged), 2 when the level does not load.
int RunFraming(const std::string& file, bool write, std::ostream& out, std::ostream& err);
