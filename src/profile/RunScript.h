#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "math/Vec3.h"

// The run script: the text a recording of play is kept in and the simulator reads, one command
// a line (blank lines and lines starting with '#' carry no command):
//   frames N DT   N frames of DT seconds, each running the per-frame update as play does
//   click X Y [Z] a left click whose ray met the floor at (X, Y, Z); Z is 0 when left out
//   print         the state of play is reported
// A recording starts each level's part with "# level PATH" (the level file) and, from the game,
// "# content HASH" (the file's ContentHash), and ends it with "print".

struct RunCommand {
    enum class Kind { Frames, Click, Print };
    Kind kind = Kind::Print;
    uint64_t count = 0;  // frames
    float dt = 0.0f;     // frames
    Vec3 point{0.0f, 0.0f, 0.0f};  // click
};

// Reads one line. 1 with *command set for a command; 0 for a line with none; -1 with the reason
// in *why ("malformed line, expected 'frames N DT'", "unknown command 'x'") otherwise.
int ParseRunLine(const std::string& line, RunCommand* command, std::string* why);

// One level's part of a recording: the level file it names, the content hash it names (empty
// when none), its commands in order.
struct RunPart {
    std::string level;
    std::string content;
    std::vector<RunCommand> commands;
};

// Splits a whole recording into its parts (commands before the first "# level" line are
// dropped). False, with "line N: reason" in *why, at the first malformed line.
bool ReadRunParts(const std::string& text, std::vector<RunPart>* parts, std::string* why);

// Builds one level's part as play goes: frames of equal dt (compared as bits, so only frames that
// replay identically) fold into one line, every number reads back as the same float.
class RunScriptWriter {
public:
    // Starts a part for the level file at path, with its content hash when not empty.
    void Begin(const std::string& levelPath, const std::string& contentHash);
    void Frame(float dt);
    void Shot(const Vec3& hit);
    // The part so far, ending in "print" (the frames not yet folded included).
    std::string Text() const;
    // The seconds of play recorded so far: the sum of every frame's dt, as the rules count it.
    double Seconds() const { return seconds_; }
    bool Started() const { return started_; }

private:
    void Flush();
    std::string text_;
    uint64_t pendingFrames_ = 0;
    float pendingDt_ = 0.0f;
    double seconds_ = 0.0;
    bool started_ = false;
};

// The shortest decimal that reads back as the same float.
std::string RunNumber(float value);

// A 64-bit FNV-1a hash of the bytes as 16 lower-case hex digits: how a level file's content is
// told from another version of it.
std::string ContentHash(const std::string& bytes);
