#include "level/TokenReader.h"

#include <fstream>

namespace {

// The blanks of the classic locale, the ones formatted extraction skips.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Long tokens are cut in messages so a damaged file cannot flood the terminal.
constexpr size_t kMaxShownToken = 40;

constexpr size_t kMaxFileBytes = size_t{64} << 20;

}  // namespace

TokenReader::TokenReader(std::string text) : text_(std::move(text)), stream_(text_) {}

size_t TokenReader::NextTokenStart() {
    // The stream knows how far it has read; the token starts after the blanks from there. A
    // stream at its end (eof after the last token) has no position to tell, so it is the end.
    size_t offset = text_.size();
    if (stream_.good()) {
        const auto pos = stream_.tellg();
        if (pos >= 0) offset = static_cast<size_t>(pos);
    }
    while (offset < text_.size() && IsBlank(text_[offset])) ++offset;
    return offset;
}

std::string TokenReader::TokenAt(size_t offset) const {
    size_t end = offset;
    while (end < text_.size() && !IsBlank(text_[end])) ++end;
    if (end == offset) return "end of file";
    std::string token = text_.substr(offset, end - offset);
    if (token.size() > kMaxShownToken) token = token.substr(0, kMaxShownToken) + "...";
    return token;
}

void TokenReader::RecordStop(size_t offset, const std::string& found, const char* expected) {
    failed_ = true;
    stop_.found = found;
    stop_.expected = expected;
    PositionOf(offset, &stop_.line, &stop_.column);
}

void TokenReader::PositionOf(size_t offset, int* line, int* column) const {
    int l = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < offset && i < text_.size(); ++i) {
        if (text_[i] == '\n') {
            ++l;
            lineStart = i + 1;
        }
    }
    *line = l;
    *column = static_cast<int>(offset - lineStart) + 1;
}

void TokenReader::Report(size_t start, const char* what) {
    if (!observer_) return;
    // The stream's position is where the read stopped; at the end of the text it has none.
    size_t end = text_.size();
    if (stream_.good()) {
        const auto pos = stream_.tellg();
        if (pos >= 0) end = static_cast<size_t>(pos);
    }
    observer_(TokenPlace{start, end, what});
}

template <typename T>
bool TokenReader::Extract(T& out, const char* expected) {
    if (failed_) return false;
    const size_t start = NextTokenStart();
    // A failed extraction stores 0 (or clears a word); a field read that fails keeps its value.
    T value = out;
    if (!(stream_ >> value)) {
        RecordStop(start, TokenAt(start), expected);
        return false;
    }
    out = value;
    lastStart_ = start;
    Report(start, expected);
    return true;
}

bool TokenReader::ReadWord(std::string& out, const char* expected) { return Extract(out, expected); }

bool TokenReader::ReadInt(int32_t& out, const char* expected) { return Extract(out, expected); }

bool TokenReader::ReadFloat(float& out, const char* expected) { return Extract(out, expected); }

bool TokenReader::ReadHeading(char& out, const char* expected) { return Extract(out, expected); }

bool TokenReader::ReadKeyword(const char* keyword) {
    const std::string wanted = std::string("the keyword \"") + keyword + "\"";
    if (failed_) return false;
    const size_t start = NextTokenStart();
    std::string word;
    if (!(stream_ >> word)) {
        RecordStop(start, TokenAt(start), wanted.c_str());
        return false;
    }
    if (word != keyword) {
        RecordStop(start, TokenAt(start), wanted.c_str());
        return false;
    }
    Report(start, keyword);
    return true;
}

bool ReadTextFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in) return false;
    // A path naming a device or a pipe could stream without end; no data file of this game comes
    // near the cap, and what lies beyond it reads as the end of the file.
    text->clear();
    char buffer[65536];
    while (text->size() < kMaxFileBytes && in.read(buffer, sizeof buffer).gcount() > 0)
        text->append(buffer, static_cast<size_t>(in.gcount()));
    if (text->size() > kMaxFileBytes) text->resize(kMaxFileBytes);
    return true;
}

std::string DescribeStop(const std::string& file, const ReadStop& stop) {
    if (stop.line == 0) return file + ": cannot be opened";
    return file + ":" + std::to_string(stop.line) + ":" + std::to_string(stop.column) + ": expected " +
           stop.expected + ", found '" + stop.found + "'";
}
