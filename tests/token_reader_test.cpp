// The level file's token reader against the standard formatted extraction of the classic locale,
// which defines what a level file means: each read must take what std::istream's operator>>
// takes, end where it ends, and fail where it fails.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <sstream>

#include "level/TokenReader.h"

namespace {

enum class Kind { kWord, kInt, kFloat, kHeading };

// One read: whether it succeeded, the value (floats by their bits) and where the read ended.
struct Outcome {
    bool ok = false;
    std::string value;
    size_t end = 0;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    return o.ok ? out << "took '" << o.value << "' up to " << o.end : out << "failed"; }

std::string FloatBits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return std::to_string(bits);
}

template <class T>
Outcome StreamRead(std::istringstream& in, const std::string& text) {
    T value{};
    if (!(in >> value)) return {};
    Outcome o{true, "", text.size()};
    if constexpr (std::is_same_v<T, float>) o.value = FloatBits(value);
    else if constexpr (std::is_same_v<T, int32_t>) o.value = std::to_string(value);
    else o.value = std::string(1, '|') + value;
    // A stream at its end has no position to tell: the read ended with the text.
    if (in.good()) o.end = static_cast<size_t>(in.tellg());
    return o;
}

// The same read by the level's reader; the end is where its observer saw the token end.
Outcome ReaderRead(TokenReader& reader, Kind kind, const size_t* lastEnd) {
    std::string word;
    int32_t integer = 0;
    float number = 0.0f;
    char heading = 0;
    Outcome o;
    switch (kind) {
        case Kind::kWord: o = {reader.ReadWord(word, "w"), "|" + word}; break;
        case Kind::kInt: o = {reader.ReadInt(integer, "i"), std::to_string(integer)}; break;
        case Kind::kFloat: o = {reader.ReadFloat(number, "f"), FloatBits(number)}; break;
        case Kind::kHeading: o = {reader.ReadHeading(heading, "h"), std::string(1, '|') + heading}; break;
    }
    if (!o.ok) return {};
    o.end = *lastEnd;
    return o;
}

// Reads `kinds` from `text` with both readers and compares them read by read, up to the first
// failure (after which both must fail). The reader must also name the first read that stopped
// inside its token (the stream's next character not a blank) by where it ended and its description.
void ExpectSameReads(const std::string& text, const std::vector<Kind>& kinds) {
    std::istringstream stream(text);
    TokenReader reader(text);
    size_t lastEnd = 0;
    reader.ObserveTokens([&lastEnd](const TokenPlace& place) { lastEnd = place.end; });
    std::string partRead = "none";  // "END WHAT" of the first read that took part of its token
    const auto expectPartRead = [&] {
        const auto& got = reader.FirstPartRead();
        EXPECT_EQ(got ? std::to_string(got->end) + " " + got->what : "none", partRead) << "part read in '" << text << "'";
    };
    for (size_t i = 0; i < kinds.size(); ++i) {
        Outcome expected;
        switch (kinds[i]) {
            case Kind::kWord: expected = StreamRead<std::string>(stream, text); break;
            case Kind::kInt: expected = StreamRead<int32_t>(stream, text); break;
            case Kind::kFloat: expected = StreamRead<float>(stream, text); break;
            case Kind::kHeading: expected = StreamRead<char>(stream, text); break;
        }
        const Outcome got = ReaderRead(reader, kinds[i], &lastEnd);
        ASSERT_EQ(got, expected) << "read " << i << " (kind " << static_cast<int>(kinds[i]) << ") of '" << text << "'";
        EXPECT_EQ(reader.Failed(), !expected.ok);
        if (!expected.ok) return expectPartRead();
        if (partRead == "none" && expected.end < text.size() && !std::isspace(static_cast<unsigned char>(text[expected.end])))
            partRead = std::to_string(expected.end) + " " + "wifh"[static_cast<int>(kinds[i])];
    }
    expectPartRead();
}

}  // namespace

// Tokens at the edges of each kind, each read as every kind, alone and followed by more text.
TEST(TokenReader, ReadsEachTokenAsTheStreamDoes) {
    const char* tokens[] = {
        "12", "+12", "-0", "007", "2147483647", "2147483648", "-2147483648", "-2147483649",
        "99999999999999999999", "12.5", "12abc", "-", "+", "--5", "+-5", "0x1A", "1e5", "1E-3", "1e", "1e+",
        "1e+x", "1ee", "0e5", "e5", ".5", "5.", ".", "-.5", "+.5", ".e1", "5.e3", "1.2.3", "1e5e5", "1e5.5",
        "inf", "nan", "-inf", "1e39", "-1e39", "3.4028235e38", "3.4028236e38", "1e-50", "-1e-50", "7e-46",
        "1e-40", "0.000000000000000000000000000000000000000000001", "123456789012345678901234567890.5", "1677.7217",
        "1e99999999999999999999", "1e-99999999999999999999", "0.1", "0.3", "16777217", "abc", "a\x01z",
        "\xff\xfe", "e", "N", "x", ""};
    const Kind kinds[] = {Kind::kWord, Kind::kInt, Kind::kFloat, Kind::kHeading};
    for (const char* token : tokens)
        for (const Kind kind : kinds)
            for (const std::string after : {"", " 7", "\n7", "x 7"}) {
                ExpectSameReads(std::string(" \t\n\v\f\r") + token + after, {kind, Kind::kInt});
                ExpectSameReads(token + after, {kind, Kind::kWord});
            }
}

// Random texts over the characters that make numbers, each read as a random run of kinds.
TEST(TokenReader, ReadsRandomTextsAsTheStreamDoes) {
    const std::string alphabet = "0123456789+-.eE \tx\n\v";
    std::mt19937 random(20261206);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const size_t length = random() % 14;
        for (size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        std::vector<Kind> kinds;
        for (int i = 0; i < 5; ++i) kinds.push_back(static_cast<Kind>(random() % 4));
        ExpectSameReads(text, kinds);
        if (HasFailure()) return;
    }
}

// An object entry read in one go against the same entry read token by token: the one-go read
// either gives the same values and leaves the reader where the five reads leave it, or reads
// nothing, so that the reads that follow meet the same values or the same stop.
TEST(TokenReader, ReadsAPlainEntryAsItsFiveReadsDo) {
    const std::vector<std::string> numbers = {"0", "7", "-12", "+12", "007", "123456789", "999999999", "1234567890",
                                              "2147483648", "21111111111111111", "-0", "12.5", "1e5", ".5", "5.", "-.25", "0.1", "x", "-", "1.5.5",
                                              "2-1"};
    const std::vector<std::string> blanks = {" ", "\t", "  ", "\n", "\r\n", "\v\f "};
    std::mt19937 random(7);
    const auto pick = [&random](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    int plain = 0;
    for (int round = 0; round < 4000; ++round) {
        const bool common = round % 4 == 0;
        std::string text = pick(blanks);
        for (int field = 0; field < 5; ++field) {
            text += field == 2 ? (common ? "rails" : pick({"rails", "block", "a.b", "9"}))
                               : (common ? std::to_string(static_cast<int>(random() % 2000) - 5) : pick(numbers));
            if (round % 7 != 3 || field < 4) text += pick(blanks);
        }
        text += "next";

        TokenReader whole(text), tokens(text);
        int32_t x = 0, y = 0, tx = 0, ty = 0;
        std::string_view name, tname;
        float scale = 0, angle = 0, tscale = 0, tangle = 0;
        size_t entryStart = 0;
        const bool one = whole.ReadPlainEntry(x, y, name, scale, angle, &entryStart);
        bool read = tokens.ReadInt(tx, "x");
        const size_t xStart = tokens.LastStart();
        read = read && tokens.ReadInt(ty, "y") && tokens.ReadWordView(tname, "n") && tokens.ReadFloat(tscale, "s") &&
               tokens.ReadFloat(tangle, "a");
        if (common && round % 7 != 3) EXPECT_TRUE(one) << "'" << text << "'";
        if (one) {
            ++plain;
            ASSERT_TRUE(read && !tokens.FirstPartRead()) << "'" << text << "'";
            EXPECT_TRUE(x == tx && y == ty && name == tname && entryStart == xStart) << "'" << text << "'";
            EXPECT_EQ(FloatBits(scale), FloatBits(tscale)) << "'" << text << "'";
            EXPECT_EQ(FloatBits(angle), FloatBits(tangle)) << "'" << text << "'";
            EXPECT_EQ(whole.LastStart(), tokens.LastStart()) << "'" << text << "'";
        } else {
            // Nothing was read: the reads from here give what the five reads gave.
            int32_t wx = 0, wy = 0;
            std::string_view wname;
            float wscale = 0, wangle = 0;
            const bool wread = whole.ReadInt(wx, "x") && whole.ReadInt(wy, "y") && whole.ReadWordView(wname, "n") &&
                               whole.ReadFloat(wscale, "s") && whole.ReadFloat(wangle, "a");
            ASSERT_EQ(wread, read) << "'" << text << "'";
            EXPECT_EQ(whole.Stop().line * 1000 + whole.Stop().column, tokens.Stop().line * 1000 + tokens.Stop().column) << "'" << text << "'";
        }
        std::string_view after, tafter;
        EXPECT_EQ(whole.ReadWordView(after, "w"), tokens.ReadWordView(tafter, "w")) << "'" << text << "'";
        EXPECT_EQ(after, tafter) << "'" << text << "'";
        if (HasFailure()) return;
    }
    EXPECT_GT(plain, 800);
    // Tokens that are watched are read one by one, so the watcher sees each of them.
    TokenReader watched("3 4 rails 1 90\n");
    watched.ObserveTokens([](const TokenPlace&) {});
    int32_t x = 0, y = 0;
    std::string_view name;
    float scale = 0, angle = 0;
    size_t entryStart = 0;
    EXPECT_FALSE(watched.ReadPlainEntry(x, y, name, scale, angle, &entryStart));
}
