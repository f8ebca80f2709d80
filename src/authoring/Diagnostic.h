#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One message of the checker about a place in a level file.
struct Diagnostic {
    enum class Kind { Error, Warning };
    Kind kind = Kind::Error;
    int line = 0;    // from 1; 0 when the message is about the file as a whole
    int column = 0;  // from 1
    std::string text;
};

// "FILE:LINE:COLUMN: error: TEXT" (or "FILE: error: TEXT" without a line).
std::string FormatDiagnostic(const std::string& file, const Diagnostic& diagnostic);

// Line and column (from 1, columns in bytes) of byte offsets into one text, which must outlive
// it. It keeps the count of lines per block of the text, counted as far as the positions asked
// for reach (a check that warns only near the top of a long file reads only that much), so each
// position costs at most a block's reading beyond what was counted before, however long the text
// or its lines.
class TextPositions {
public:
    explicit TextPositions(std::string_view text) : text_(text) {}
    void At(size_t offset, int* line, int* column) const;

private:
    static constexpr size_t kBlock = 4096;
    std::string_view text_;
    // Counted on demand, which does not change what At answers.
    mutable std::vector<size_t> newlinesBefore_;   // by block: the line breaks before its first byte
    mutable std::vector<size_t> lineStartBefore_;  // by block: where the line holding its first byte starts
};

// The run of non-blank characters starting at `offset` (empty at the end of the text).
std::string TokenFrom(std::string_view text, size_t offset);
// The offset just past that run.
size_t TokenEnd(std::string_view text, size_t offset);
// A token made safe to print: control and non-ASCII bytes as \xNN, cut after 40 characters.
std::string Printable(const std::string& token);
