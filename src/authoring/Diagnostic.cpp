#include "authoring/Diagnostic.h"

#include <algorithm>

namespace {

// The blanks that the level reader skips between tokens.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

constexpr size_t kMaxShown = 40;

// Moves the count of line breaks and the start of the last line from before `part` (which starts
// at `partStart`) to after it.
void CountLinesOver(std::string_view part, size_t partStart, size_t* newlines, size_t* lineStart) {
    *newlines += static_cast<size_t>(std::count(part.begin(), part.end(), '\n'));
    const size_t last = part.rfind('\n');
    if (last != std::string_view::npos) *lineStart = partStart + last + 1;
}

}  // namespace

std::string FormatDiagnostic(const std::string& file, const Diagnostic& d) {
    const char* kind = d.kind == Diagnostic::Kind::Error ? "error" : "warning";
    if (d.line == 0) return file + ": " + kind + ": " + d.text;
    return file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": " + kind + ": " + d.text;
}

void TextPositions::At(size_t offset, int* line, int* column) const {
    // The line breaks before the offset (past the end of the text, before its end): those before
    // its block, counted once, and those of its block up to it.
    const size_t end = std::min(offset, text_.size());
    // The blocks up to the offset's are counted now if they were not before.
    const size_t blocks = (text_.size() + kBlock - 1) / kBlock;
    const size_t want = std::min(end / kBlock + 1, blocks);
    while (newlinesBefore_.size() < want) {
        const size_t block = newlinesBefore_.size();
        size_t newlines = 0, lineStart = 0;
        if (block > 0) {
            newlines = newlinesBefore_.back(), lineStart = lineStartBefore_.back();
            CountLinesOver(text_.substr((block - 1) * kBlock, kBlock), (block - 1) * kBlock, &newlines, &lineStart);
        }
        newlinesBefore_.push_back(newlines);
        lineStartBefore_.push_back(lineStart);
    }
    size_t newlines = 0, lineStart = 0;
    if (!newlinesBefore_.empty()) {
        const size_t block = std::min(end / kBlock, newlinesBefore_.size() - 1);
        newlines = newlinesBefore_[block], lineStart = lineStartBefore_[block];
        CountLinesOver(text_.substr(block * kBlock, end - block * kBlock), block * kBlock, &newlines, &lineStart);
    }
    *line = static_cast<int>(newlines) + 1;
    *column = static_cast<int>(offset - lineStart) + 1;
}

size_t TokenEnd(std::string_view text, size_t offset) {
    size_t end = std::min(offset, text.size());
    while (end < text.size() && !IsBlank(text[end])) ++end;
    return end;
}

std::string TokenFrom(std::string_view text, size_t offset) {
    if (offset >= text.size()) return {};
    return std::string(text.substr(offset, TokenEnd(text, offset) - offset));
}

std::string Printable(const std::string& token) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < token.size(); ++i) {
        if (i == kMaxShown) {
            out += "...";
            break;
        }
        const auto c = static_cast<unsigned char>(token[i]);
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}
