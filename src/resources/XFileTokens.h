#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// One token of a `.x` file, the same for the text and the binary form: separators (';' ','),
// GUIDs and comments never show; a binary integer or float list comes out one number at a time.
struct XToken {
    enum Kind { kEnd, kName, kString, kNumber, kOpen, kClose, kOther } kind = kEnd;
    std::string text;     // a name or a string
    double number = 0.0;  // a number
    bool integral = false;
};

// Reads the tokens of a whole `.x` file held in memory (header included). Every step moves
// forward through the data, so reading ends after at most one token per byte.
class XTokenizer {
public:
    // False when the header is not that of a text or uncompressed binary `.x` file.
    bool Start(const std::string& data);
    // The next token; kEnd at the end of the data and after a malformed token (then Broken()).
    XToken Next();
    bool Broken() const { return broken; }
    // Bytes not yet read: no count in the rest of the file can be larger.
    size_t Remaining() const { return data ? data->size() - at : 0; }

private:
    XToken NextText();
    XToken NextBinary();
    bool Take(size_t bytes, const char** out);

    const std::string* data = nullptr;
    size_t at = 0;
    bool binary = false;
    size_t floatBytes = 4;
    bool broken = false;
    uint32_t listLeft = 0;  // numbers still to come from a binary list
    bool listFloats = false;
};
