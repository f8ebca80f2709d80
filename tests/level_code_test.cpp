#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "authoring/LevelCode.h"
#include "level/Level.h"
#include "level/LevelWriter.h"

namespace {

std::string LevelTextOf(const std::string& text) {
    Level level(nullptr, nullptr);
    EXPECT_EQ(level.LoadText(text), 0);
    EXPECT_FALSE(level.loadStop);
    return LevelText(level);
}

// The code of a level text, decoded again, as the text of the level it loads to.
std::string RoundTrip(const std::string& text, size_t* codeSize = nullptr) {
    Level level(nullptr, nullptr);
    EXPECT_EQ(level.LoadText(text), 0);
    const std::string code = EncodeLevelCode(level);
    if (codeSize) *codeSize = code.size();
    EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.", 0),
              std::string::npos)
        << code;
    std::string decoded, why;
    EXPECT_TRUE(DecodeLevelCode(code, &decoded, &why)) << why;
    return LevelTextOf(decoded);
}

}  // namespace

// Every shipped level comes back from its code as the same level, in a code short enough to paste.
TEST(LevelCode, ShippedLevelsComeBackAsTheSameLevelInShortCodes) {
    std::ifstream list(std::string(TRACKLET_SOURCE_DIR) + "/data/levels.txt");
    int count = 0;
    for (std::string name; list >> name; ++count) {
        std::ifstream file(std::string(TRACKLET_SOURCE_DIR) + "/data/levels/" + name);
        std::stringstream text;
        text << file.rdbuf();
        size_t size = 0;
        EXPECT_EQ(RoundTrip(text.str(), &size), LevelTextOf(text.str())) << name;
        EXPECT_LT(size, 400u) << name;
    }
    EXPECT_GT(count, 0);
}

// What the compact form leaves out comes back too: objects off the grid, scaled or turned by odd
// degrees, a station (its ring is the loader's), unknown names, a camera of its own, odd headings
// and a speed with many digits.
TEST(LevelCode, OddLevelsComeBackExactly) {
    const std::string text =
        "style my_style height 2 width 3 camera_data 1.5 -2 3.25 0.1 0.2 0.3 0 -1 0 1 0 0 objects 8 "
        "2 1 rails 1 90 -4 7 rails 1 0 1 1 lturn 2.5 0 0 0 rturn 1 45 1 0 station 1 0 2 0 wheel 1 270 "
        "0 1 railscorner 1 90.5 "
        "2147483647 -2147483648 speed 0.75 -30.5 start 0 1 n finish 2 0 w speed 3.14159274";
    EXPECT_EQ(RoundTrip(text), LevelTextOf(text));
}

// A code that is not one is refused with a reason, never half read.
TEST(LevelCode, RefusesWhatIsNotACode) {
    Level level(nullptr, nullptr);
    ASSERT_EQ(level.LoadText("style s height 1 width 3 camera_data 0 0 0 0 0 1 0 1 0 1 0 0 objects 1 1 0 rails 1 0 "
                             "start 0 0 e finish 2 0 e speed 5"),
              0);
    const std::string good = EncodeLevelCode(level);
    struct Case {
        std::string code;
        std::string says;
    } cases[] = {
        {"", "does not start with T1."},
        {"T2." + good.substr(3), "does not start with T1."},
        {good + "=", "the character at " + std::to_string(good.size() + 1)},
        {good.substr(0, 3) + "A A", "the character at 5"},
        {std::string(kMaxLevelCodeBytes + 1, 'A'), "longer than 64 KiB"},
        {good.substr(0, good.size() - 2), "does not hold a whole level"},
        {good + "AAAA", "does not hold a whole level"},
    };
    for (const Case& c : cases) {
        std::string text = "untouched", why;
        EXPECT_FALSE(DecodeLevelCode(c.code, &text, &why)) << c.code;
        EXPECT_NE(why.find(c.says), std::string::npos) << c.code.substr(0, 40) << " said: " << why;
    }

    // A name of 30000 letters used by 2000 objects: refused before the text is made.
    // Style "s", a 1x1 grid, start and finish on (0, 0) heading e, speed 5, a framed camera at 0.
    const char header[] = "\x01s\x02\x02\x00\x00" "e" "\x00\x00" "e" "\x00\x00\xa0\x40" "\x01"
                          "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00";
    std::string bytes(header, sizeof header - 1);
    bytes += '\x01';                       // one kind
    bytes += "\xb0\xea\x01";               // of 30000 bytes
    bytes += std::string(30000, 'n');
    bytes += "\xd0\x0f";                   // 2000 objects
    for (int i = 0; i < 2000; ++i) bytes += std::string("\x00\x00", 2);
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string code = "T1.";
    uint32_t buffer = 0;
    int bits = 0;
    for (unsigned char b : bytes) {
        buffer = (buffer << 8) | b;
        for (bits += 8; bits >= 6; bits -= 6) code += kAlphabet[(buffer >> (bits - 6)) & 0x3F];
    }
    if (bits > 0) code += kAlphabet[(buffer << (6 - bits)) & 0x3F];
    std::string text, why;
    EXPECT_FALSE(DecodeLevelCode(code, &text, &why));
    EXPECT_EQ(why, "the level would be larger than 1 MiB");
}

// A code can hold what no file can: an object turned by -0 (angle bits 0x80000000). Its text is
// written as the level that text loads to, so a code made again from it decodes to the same text.
TEST(LevelCode, ANegativeZeroTurnIsWrittenAsTheLevelItLoadsTo) {
    const std::string code =
        "T1.CHN0YW6kYXJkDgYAAmUMUZmAAKBAAQaDEAmIACD1K5haQgIFgmFprHMGcnJlY2h0BwAHAAgACQALA1CK5Hwgn0BwAAAAgGwADQoR";
    std::string text, why;
    ASSERT_TRUE(DecodeLevelCode(code, &text, &why)) << why;
    EXPECT_EQ(LevelTextOf(text), text);
    EXPECT_EQ(RoundTrip(text), text);
}
