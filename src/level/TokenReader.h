#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/MappedFile.h"

// Where and why a token read went wrong. Line and column count from 1; line 0 means the file
// could not be opened at all.
struct ReadStop {
    std::string found;     // the token at that place, or "end of file"
    int line = 0;
    int column = 0;
    std::string expected;  // what the reader wanted there, e.g. "the keyword \"start\""
};

// Where a token that was read lies in the text: its first byte, the byte after what the read took
// (an integer read from "12.5" ends before ".5"), and the description the read was given (the
// keyword itself for ReadKeyword). `what` points at the caller's text, so it lives as long as that.
struct TokenPlace {
    size_t start = 0;
    size_t end = 0;
    const char* what = "";
};
using TokenObserver = std::function<void(const TokenPlace&)>;

// Reads white-space separated tokens from a text exactly as the standard formatted extraction
// of the classic locale reads them (a word is a run of non-blanks; an integer is a sign and
// decimal digits, refused beyond int32; a number is what num_get takes, "-1.5e3", ".5", "5.",
// never "inf" or hex, refused when it overflows a float; a heading is the first non-blank
// character; a number stops at the first character that cannot continue it), remembering where
// each token starts. The first read that fails ends reading, as a failed stream does, and is kept
// as the stop. It works on the text in place: the text must outlive the reader.
class TokenReader {
public:
    explicit TokenReader(std::string_view text) : text_(text) {}

    // Each reads the next token into `out`; false (and the stop recorded) when it cannot.
    // `expected` describes the token for the stop, e.g. "an integer (height)".
    bool ReadWord(std::string& out, const char* expected);
    // The same word, as a view into the text (no copy).
    bool ReadWordView(std::string_view& out, const char* expected);
    bool ReadInt(int32_t& out, const char* expected);
    bool ReadFloat(float& out, const char* expected);
    bool ReadHeading(char& out, const char* expected);
    // Reads a word and compares it with `keyword` exactly (case-sensitive).
    bool ReadKeyword(const char* keyword);
    // The common object entry "X Y NAME SCALE ANGLE" in one go, when it is plainly written: both
    // integers of at most nine digits and both numbers short decimals, each token followed by a
    // blank (the last one by a blank or the end), and nobody observing the tokens. Then the same
    // values as ReadInt, ReadInt, ReadWordView, ReadFloat, ReadFloat give, *entryStart set to the
    // offset of X, and true. Otherwise false with nothing read, for the caller to read the entry
    // token by token (and meet the same stop the reads meet).
    bool ReadPlainEntry(int32_t& x, int32_t& y, std::string_view& name, float& scale, float& angle, size_t* entryStart);

    // True once a read has failed; every later read fails too.
    bool Failed() const { return failed_; }
    // The first failed read (meaningful only when Failed()).
    const ReadStop& Stop() const { return stop_; }

    // Calls `observer` after every successful read, so tools can point at the tokens read (an
    // empty observer stops the calls).
    void ObserveTokens(TokenObserver observer) { observer_ = std::move(observer); }
    // The first read that took only part of its token ("12.5" read as an integer, "east" as a
    // heading: the reader goes on from the middle of it); empty while every read took a whole token.
    const std::optional<TokenPlace>& FirstPartRead() const { return partRead_; }

    // The size of the text being read.
    size_t TextSize() const { return text_.size(); }
    // The byte offset of the last token read.
    size_t LastStart() const { return lastStart_; }
    // The line and column (from 1) of a byte offset into the text.
    void PositionOf(size_t offset, int* line, int* column) const;

private:
    // Skips the blanks from the read position; the offset of the next token (the text's size at
    // its end).
    size_t SkipBlanks();
    // Ends a read that took text_[start, pos_): remembers it and tells the observer; true.
    bool Took(size_t start, const char* what);
    // Ends reading at the token starting at `start`; false.
    bool Refuse(size_t start, const char* expected);
    void RecordStop(size_t offset, const std::string& found, const char* expected);
    std::string TokenAt(size_t offset) const;

    std::string_view text_;
    size_t pos_ = 0;  // where the next read starts
    bool failed_ = false;
    size_t lastStart_ = 0;
    ReadStop stop_;
    TokenObserver observer_;
    std::optional<TokenPlace> partRead_;
};

// Opens a level file for a TokenReader, at most 64 MiB of it (no level comes near; what lies
// beyond reads as the end of the file); false when it cannot be opened.
bool OpenTextFile(const std::string& path, MappedFile* file);

// Reads a whole file into text; false when it cannot be opened.
bool ReadTextFile(const std::string& path, std::string* text);

// "FILE:LINE:COLUMN: expected X, found 'T'" (or "FILE: cannot be opened") for messages.
std::string DescribeStop(const std::string& file, const ReadStop& stop);
