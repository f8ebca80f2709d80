#pragma once
#include <string>
#include <string_view>

class Level;

// A level as one line of URL-safe text to paste in a chat or put in a link: "T1." and then the
// level's record packed into bytes (grid, start, finish, speed, camera, each object's kind, tile,
// turn and scale, every float by its bits) written in base64url without padding. Decoding gives
// the text of a level file that loads to the same level record (LevelText of it).

// The longest code decoding accepts, and the longest level text it makes.
inline constexpr size_t kMaxLevelCodeBytes = 64 * 1024;
inline constexpr size_t kMaxDecodedLevelBytes = 1024 * 1024;

// The code of the level as loaded (station rings left out, as the loader adds them again).
std::string EncodeLevelCode(const Level& level);

// The level file text of a code; false with one line saying why in *why (a wrong prefix, a
// character outside base64url, a code too long, bytes that end early or do not make a level, a
// level that would pass 1 MiB of text).
bool DecodeLevelCode(std::string_view code, std::string* levelText, std::string* why);
