#pragma once
#include <string>

#include "math/Vec3.h"
#include "profile/RunScript.h"

// Records play as tracklet-sim script text, so that a run can be replayed headless to exactly the
// state the game reached. Each level started while recording gets its own part: a line
// "# level PATH" naming the level file and "# content HASH" its content, then its frames and shots
// in order, then "print". Without a recording file the run of the level in play is still kept, in
// memory, for the player's profile.

// Opens (replacing) the file at path for a recording; false when it cannot be written.
bool StartRecording(const std::string& path);

// A frame in which the rules run, with its dt; runs of equal frames fold into one "frames N DT".
void RecordFrame(float dt);

// A shot fired at the floor point hit: "click X Y" (and Z when the pick did not land exactly on
// z = 0), every number written so that it reads back as the same float.
void RecordShot(const Vec3& hit);

// The run of the level in play so far (its frames and shots since it started); null when no frame
// of it has run yet.
const RunScriptWriter* RunOfLevelInPlay();

// Ends the part being written and closes the file; false when something could not be written.
bool StopRecording();

// Closes any recording without ending its part and forgets the run of the level in play, as the
// program starts. For tests.
void ForgetRecording();
