#include "resources/XFileTokens.h"

#include <cstdlib>
#include <cstring>

namespace {

// Binary token words.
enum : uint16_t {
    kTokPad = 0, kTokName = 1, kTokString = 2, kTokInteger = 3, kTokGuid = 5, kTokIntegerList = 6, kTokFloatList = 7,
    kTokOpenBrace = 0x0a, kTokCloseBrace = 0x0b, kTokComma = 0x13, kTokSemicolon = 0x14, kTokTemplate = 0x1f,
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';' || c == ','; }
bool Ends(char c) { return IsSpace(c) || c == '{' || c == '}' || c == '"' || c == '<'; }

uint32_t Le32(const char* p) {
    uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}

}  // namespace

bool XTokenizer::Start(const std::string& bytes) {
    data = &bytes;
    at = 16;
    listLeft = 0;
    broken = false;
    if (bytes.size() < 16 || bytes.compare(0, 4, "xof ") != 0) return false;
    const std::string format = bytes.substr(8, 4);
    binary = format == "bin ";
    floatBytes = bytes.compare(12, 4, "0064") == 0 ? 8 : 4;
    return binary || format == "txt ";
}

XToken XTokenizer::Next() {
    if (!data || broken) return {};
    return binary ? NextBinary() : NextText();
}

bool XTokenizer::Take(size_t bytes, const char** out) {
    if (bytes > data->size() - at) {
        broken = true;
        return false;
    }
    *out = data->data() + at;
    at += bytes;
    return true;
}

XToken XTokenizer::NextText() {
    const std::string& s = *data;
    for (;;) {
        while (at < s.size() && IsSpace(s[at])) ++at;
        if (at >= s.size()) return {};
        if (s[at] == '#' || s.compare(at, 2, "//") == 0) {  // a comment runs to the line end
            const size_t end = s.find('\n', at);
            at = end == std::string::npos ? s.size() : end + 1;
        } else if (s[at] == '<') {  // a GUID: only templates and data objects' class ids have them
            const size_t end = s.find('>', at);
            at = end == std::string::npos ? s.size() : end + 1;
        } else {
            break;
        }
    }
    XToken token;
    const char c = s[at];
    if (c == '{' || c == '}') {
        ++at;
        token.kind = c == '{' ? XToken::kOpen : XToken::kClose;
        return token;
    }
    if (c == '"') {
        const size_t end = s.find('"', at + 1);
        if (end == std::string::npos) {
            broken = true;
            return {};
        }
        token.kind = XToken::kString;
        token.text = s.substr(at + 1, end - at - 1);
        at = end + 1;
        return token;
    }
    size_t end = at;
    while (end < s.size() && !Ends(s[end])) ++end;
    token.text = s.substr(at, end - at);
    at = end;
    if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') {
        char* stop = nullptr;
        token.number = std::strtod(token.text.c_str(), &stop);
        if (stop == token.text.c_str()) {
            token.kind = XToken::kOther;
            return token;
        }
        token.kind = XToken::kNumber;
        token.integral = token.text.find_first_of(".eE") == std::string::npos;
        return token;
    }
    token.kind = XToken::kName;
    return token;
}

XToken XTokenizer::NextBinary() {
    XToken token;
    const char* p = nullptr;
    if (listLeft > 0) {
        --listLeft;
        token.kind = XToken::kNumber;
        if (!listFloats) {
            if (!Take(4, &p)) return {};
            token.number = Le32(p);
            token.integral = true;
        } else if (floatBytes == 8) {
            if (!Take(8, &p)) return {};
            std::memcpy(&token.number, p, 8);
        } else {
            float f;
            if (!Take(4, &p)) return {};
            std::memcpy(&f, p, 4);
            token.number = f;
        }
        return token;
    }
    for (;;) {
        if (at + 2 > data->size()) return {};
        Take(2, &p);
        const uint16_t word = uint16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8);
        switch (word) {
            case kTokName:
            case kTokString: {
                if (!Take(4, &p)) return {};
                const uint32_t length = Le32(p);
                if (!Take(length, &p)) return {};
                token.text.assign(p, length);
                token.kind = word == kTokName ? XToken::kName : XToken::kString;
                // A string's terminating ';' or ',' is a token word of its own, read past like any
                // separator; writers that pad it to four bytes leave a zero word, read past too.
                return token;
            }
            case kTokInteger:
                if (!Take(4, &p)) return {};
                token.kind = XToken::kNumber;
                token.number = Le32(p);
                token.integral = true;
                return token;
            case kTokGuid:
                if (!Take(16, &p)) return {};
                continue;
            case kTokIntegerList:
            case kTokFloatList:
                if (!Take(4, &p)) return {};
                listLeft = Le32(p);
                listFloats = word == kTokFloatList;
                if (listLeft == 0) continue;
                return NextBinary();  // one level deep: the list has a number to give
            case kTokPad:
            case kTokComma:
            case kTokSemicolon:
                continue;
            case kTokOpenBrace: token.kind = XToken::kOpen; return token;
            case kTokCloseBrace: token.kind = XToken::kClose; return token;
            case kTokTemplate:
                token.kind = XToken::kName;
                token.text = "template";
                return token;
            default:  // other punctuation and type keywords: a word alone, no data of its own
                token.kind = XToken::kOther;
                return token;
        }
    }
}
