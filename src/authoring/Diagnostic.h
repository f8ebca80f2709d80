#pragma once
#include <cstddef>
#include <string>
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

// Line and column (from 1, columns in bytes) of byte offsets into one text.
class TextPositions {
public:
    explicit TextPositions(const std::string& text);
    void At(size_t offset, int* line, int* column) const;

private:
    std::vector<size_t> lineStarts_;
};

// The run of non-blank characters starting at `offset` (empty at the end of the text).
std::string TokenFrom(const std::string& text, size_t offset);
// The offset just past that run.
size_t TokenEnd(const std::string& text, size_t offset);
// A token made safe to print: control and non-ASCII bytes as \xNN, cut after 40 characters.
std::string Printable(const std::string& token);
