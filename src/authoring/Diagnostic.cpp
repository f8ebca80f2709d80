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

TextPositions::TextPositions(const std::string& text) {
    lineStarts_.push_back(0);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') lineStarts_.push_back(i + 1);
}

void TextPositions::At(size_t offset, int* line, int* column) const {
    // The last line start at or before the offset.
    const auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) - 1;
    *line = static_cast<int>(it - lineStarts_.begin()) + 1;
    *column = static_cast<int>(offset - *it) + 1;
}

size_t TokenEnd(const std::string& text, size_t offset) {
    size_t end = std::min(offset, text.size());
    while (end < text.size() && !IsBlank(text[end])) ++end;
    return end;
}

std::string TokenFrom(const std::string& text, size_t offset) {
    if (offset >= text.size()) return {};
    return text.substr(offset, TokenEnd(text, offset) - offset);
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
