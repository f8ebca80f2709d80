#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// model: prints what the game makes of each `.x` file (see the man page for the format): how it
// is written, its vertex and triangle counts, each material's colours and texture name with
// whether the style's textures.txt lists it, the bounding sphere; for a file the game refuses,
// the reason. The style of a file is the folder above the `models` folder it sits in; a file
// elsewhere takes the first style of styles.txt in the current folder, when there is one.
// Returns 0 when every file loads, else 1.
int RunModelReport(const std::vector<std::string>& files, std::ostream& out);
