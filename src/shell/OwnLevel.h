#pragma once
#include <string>

struct CommandLine;

// The level of --code or --seed, written into the profile's levels/ folder (the system's
// temporary folder when the profile has no folder) so that it is played, recorded and watched as
// any level file is. Its name says where it came from: "code-HASH.txt" for a code,
// "seed-DIFFICULTY-SEED-HASH.txt" for a seed. Needs the catalogue (a generated level is proven
// with the style's models). True with the path in *path; false, with one line on stderr, when no
// level was made or it cannot be written. True with an empty path when neither was asked for.
// The level made is the one to play from now on, its seed or code shown over play.
bool MakeOwnLevel(const CommandLine& options, std::string* path);
