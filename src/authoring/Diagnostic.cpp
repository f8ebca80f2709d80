#include "authoring/Diagnostic.h"

#include <algorithm>

namespace {

// The blanks that the level reader skips between tokens.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

constexpr size_t kMaxShown = 40;

}  // namespace

std::string FormatDiagnostic(const std::string& file, const Diagnostic& d) {
    const char* kind = d.kind == Diagnostic::Kind::Error ? "error" : "warning";
    if (d.line == 0) return file + ": " + kind + ": " + d.text;
    return file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": " + kind + ": " + d.text;
}

TextPositions::TextPositions(std::string_view text) : text_(text) {
    size_t newlines = 0, lineStart = 0;
    for (size_t block = 0; block < text.size(); block += kBlock) {
        newlinesBefore_.push_back(newlines);
        lineStartBefore_.push_back(lineStart);
        const std::string_view part = text.substr(block, kBlock);
        newlines += static_cast<size_t>(std::count(part.begin(), part.end(), '\n'));
        const size_t last = part.rfind('\n');
        if (last != std::string_view::npos) lineStart = block + last + 1;
    }
}

void TextPositions::At(size_t offset, int* line, int* column) const {
    // The line breaks before the offset (past the end of the text, before its end): those before
    // its block, counted when this was made, and those of its block up to it.
    const size_t end = std::min(offset, text_.size());
    size_t newlines = 0, lineStart = 0;
    if (!newlinesBefore_.empty()) {
        const size_t block = std::min(end / kBlock, newlinesBefore_.size() - 1);
        const std::string_view part = text_.substr(block * kBlock, end - block * kBlock);
        newlines = newlinesBefore_[block] + static_cast<size_t>(std::count(part.begin(), part.end(), '\n'));
        const size_t last = part.rfind('\n');
        lineStart = last != std::string_view::npos ? block * kBlock + last + 1 : lineStartBefore_[block];
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
