#include "level/TokenReader.h"

#include <charconv>
#include <cstdlib>
#include <limits>

namespace {

// The blanks of the classic locale, the ones formatted extraction skips: ' ' and \t \n \v \f \r.
bool IsBlank(char c) { return c == ' ' || static_cast<unsigned char>(c - '\t') < 5; }

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// The first non-blank from p on, or last.
const char* SkipBlanksFrom(const char* p, const char* last) {
    while (p != last && IsBlank(*p)) ++p;
    return p;
}

// Long tokens are cut in messages so a damaged file cannot flood the terminal.
constexpr size_t kMaxShownToken = 40;

constexpr size_t kMaxFileBytes = size_t{64} << 20;

// The end of the longest prefix of text[start, ...) that num_get takes for a floating-point
// number: a sign, digits with at most one point, then an exponent mark (only after a digit) with
// a sign and digits. *complete says whether strtof can take all of it (a digit in the mantissa,
// and one in the exponent when it has one); num_get refuses the number otherwise.
size_t ScanFloat(std::string_view text, size_t start, bool* complete) {
    size_t i = start;
    const size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    bool mantissa = false, point = false, exponent = false, exponentDigit = false;
    while (i < n) {
        const char c = text[i];
        if (IsDigit(c)) {
            (exponent ? exponentDigit : mantissa) = true;
        } else if (c == '.' && !point && !exponent) {
            point = true;
        } else if ((c == 'e' || c == 'E') && !exponent && mantissa) {
            exponent = true;
            if (i + 1 < n && (text[i + 1] == '+' || text[i + 1] == '-')) ++i;
        } else {
            break;
        }
        ++i;
    }
    *complete = mantissa && (!exponent || exponentDigit);
    return i;
}

// Most numbers in a level are short decimals ("1", "90", "0.5"): with at most seven significant
// digits and no exponent, both the digits and the power of ten are exact floats, and one division,
// rounded to nearest as every float operation is, gives the correctly rounded value. Reads such a
// decimal (a sign, digits with at most one point, at most ten of them after it) from the start of
// [first, last) into *out: where it stopped (at `last` or the first character that cannot continue
// it), or null when it read no digit or the number is not that short.
const char* ShortDecimal(const char* first, const char* last, float* out) {
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (p != last && (*p == '-' || *p == '+')) ++p;
    uint32_t digits = 0, count = 0, fraction = 0;
    bool point = false, digit = false;
    for (; p != last && count <= 7; ++p) {
        if (*p == '.' && !point) {
            point = true;
        } else if (IsDigit(*p)) {
            digits = digits * 10 + static_cast<uint32_t>(*p - '0');
            if (digits != 0) ++count;  // leading zeros are not significant
            fraction += point;
            digit = true;
        } else {
            break;
        }
    }
    if (!digit || count > 7 || fraction > 10) return nullptr;
    static constexpr float kTens[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    const float value = static_cast<float>(digits) / kTens[fraction];
    *out = negative ? -value : value;
    return p;
}

// Converts a number ScanFloat found complete as num_get does: rounded to nearest; refused when
// it overflows; a value below the smallest float becomes zero or a subnormal, not a refusal.
bool ConvertFloat(std::string_view number, float* out) {
    const char* first = number.data();
    const char* last = first + number.size();
    {
        float value = 0.0f;
        if (ShortDecimal(first, last, &value) == last) {
            *out = value;
            return true;
        }
    }
    if (*first == '+') ++first;  // from_chars takes a minus sign only
    float value = 0.0f;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc() && end == last) {
        *out = value;
        return true;
    }
    // Out of range (or a form from_chars reads differently): strtof decides, as it does for num_get.
    const std::string copy(number);
    char* stop = nullptr;
    value = std::strtof(copy.c_str(), &stop);
    if (stop != copy.c_str() + copy.size() || value == std::numeric_limits<float>::infinity() ||
        value == -std::numeric_limits<float>::infinity())
        return false;
    *out = value;
    return true;
}

}  // namespace

size_t TokenReader::SkipBlanks() {
    pos_ = static_cast<size_t>(SkipBlanksFrom(text_.data() + pos_, text_.data() + text_.size()) - text_.data());
    return pos_;
}

bool TokenReader::Took(size_t start, const char* what) {
    lastStart_ = start;
    // A read never takes a blank, so it took its whole token when a blank or the end follows.
    if (pos_ < text_.size() && !IsBlank(text_[pos_]) && !partRead_) partRead_ = TokenPlace{start, pos_, what};
    if (observer_) observer_(TokenPlace{start, pos_, what});
    return true;
}

bool TokenReader::Refuse(size_t start, const char* expected) {
    RecordStop(start, TokenAt(start), expected);
    return false;
}

std::string TokenReader::TokenAt(size_t offset) const {
    size_t end = offset;
    while (end < text_.size() && !IsBlank(text_[end])) ++end;
    if (end == offset) return "end of file";
    std::string token(text_.substr(offset, end - offset));
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

bool TokenReader::ReadWordView(std::string_view& out, const char* expected) {
    if (failed_) return false;
    const size_t start = SkipBlanks();
    while (pos_ < text_.size() && !IsBlank(text_[pos_])) ++pos_;
    if (pos_ == start) return Refuse(start, expected);
    out = text_.substr(start, pos_ - start);
    return Took(start, expected);
}

bool TokenReader::ReadWord(std::string& out, const char* expected) {
    std::string_view word;
    if (!ReadWordView(word, expected)) return false;
    out.assign(word);
    return true;
}

bool TokenReader::ReadInt(int32_t& out, const char* expected) {
    if (failed_) return false;
    const size_t start = SkipBlanks();
    size_t i = start;
    const size_t n = text_.size();
    const bool negative = i < n && text_[i] == '-';
    if (i < n && (text_[i] == '-' || text_[i] == '+')) ++i;
    const size_t digits = i;
    // The magnitude saturates just past int32's reach; the digits are taken to the end either way.
    uint64_t magnitude = 0;
    for (; i < n && IsDigit(text_[i]); ++i)
        if (magnitude <= uint64_t{1} << 31) magnitude = magnitude * 10 + static_cast<uint64_t>(text_[i] - '0');
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    if (i == digits || magnitude > limit) return Refuse(start, expected);
    pos_ = i;
    out = static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
    return Took(start, expected);
}

bool TokenReader::ReadFloat(float& out, const char* expected) {
    if (failed_) return false;
    const size_t start = SkipBlanks();
    // The usual token, a short decimal followed by a blank or the end, is converted in one scan.
    {
        const char* const first = text_.data() + start;
        const char* const last = text_.data() + text_.size();
        float value = 0.0f;
        const char* const stop = ShortDecimal(first, last, &value);
        if (stop && (stop == last || IsBlank(*stop))) {
            pos_ = static_cast<size_t>(stop - text_.data());
            out = value;
            return Took(start, expected);
        }
    }
    bool complete = false;
    const size_t end = ScanFloat(text_, start, &complete);
    float value = 0.0f;
    if (!complete || !ConvertFloat(text_.substr(start, end - start), &value)) return Refuse(start, expected);
    pos_ = end;
    out = value;
    return Took(start, expected);
}

bool TokenReader::ReadHeading(char& out, const char* expected) {
    if (failed_) return false;
    const size_t start = SkipBlanks();
    if (start == text_.size()) return Refuse(start, expected);
    out = text_[pos_++];
    return Took(start, expected);
}

bool TokenReader::ReadKeyword(const char* keyword) {
    if (failed_) return false;
    const size_t start = SkipBlanks();
    while (pos_ < text_.size() && !IsBlank(text_[pos_])) ++pos_;
    if (pos_ == start || text_.substr(start, pos_ - start) != keyword)
        return Refuse(start, (std::string("the keyword \"") + keyword + "\"").c_str());
    return Took(start, keyword);
}

namespace {

// Reads an integer of one to nine digits, with a minus sign or none, followed by a blank, from
// [p, last); past its blank, or null when the text is anything else.
const char* PlainInt(const char* p, const char* last, int32_t* out) {
    const bool negative = p != last && *p == '-';
    p += negative;
    // Ten digits at most are taken: enough to tell a number too long for this path, never more
    // than an int64 holds.
    int64_t value = 0;
    const char* const digits = p;
    for (; p != last && IsDigit(*p) && p - digits < 10; ++p) value = value * 10 + (*p - '0');
    if (p == digits || p - digits > 9 || p == last || !IsBlank(*p)) return nullptr;
    *out = static_cast<int32_t>(negative ? -value : value);
    return p + 1;
}

}  // namespace

bool TokenReader::ReadPlainEntry(int32_t& x, int32_t& y, std::string_view& name, float& scale, float& angle,
                                 size_t* entryStart) {
    if (failed_ || observer_) return false;
    const char* const text = text_.data();
    const char* const last = text + text_.size();
    const char* const first = SkipBlanksFrom(text + pos_, last);
    int32_t readX = 0, readY = 0;
    const char* p = PlainInt(first, last, &readX);
    if (!p) return false;
    p = PlainInt(SkipBlanksFrom(p, last), last, &readY);
    if (!p) return false;
    // The name runs to the next blank; one cut short by the end of the text leaves no scale, and
    // the entry is not plain.
    const char* const nameStart = SkipBlanksFrom(p, last);
    p = nameStart;
    while (p != last && !IsBlank(*p)) ++p;
    const char* const nameEnd = p;
    float readScale = 0.0f, readAngle = 0.0f;
    p = ShortDecimal(SkipBlanksFrom(p, last), last, &readScale);
    if (!p || p == last || !IsBlank(*p)) return false;
    const char* const angleStart = SkipBlanksFrom(p, last);
    p = ShortDecimal(angleStart, last, &readAngle);
    if (!p || (p != last && !IsBlank(*p))) return false;
    x = readX, y = readY, scale = readScale, angle = readAngle;
    name = std::string_view(nameStart, static_cast<size_t>(nameEnd - nameStart));
    *entryStart = static_cast<size_t>(first - text);
    lastStart_ = static_cast<size_t>(angleStart - text);
    pos_ = static_cast<size_t>(p - text);
    return true;
}

bool OpenTextFile(const std::string& path, MappedFile* file) { return file->Open(path, kMaxFileBytes); }

bool ReadTextFile(const std::string& path, std::string* text) {
    MappedFile file;
    if (!OpenTextFile(path, &file)) return false;
    text->assign(file.Text());
    return true;
}

std::string DescribeStop(const std::string& file, const ReadStop& stop) {
    if (stop.line == 0) return file + ": cannot be opened";
    return file + ":" + std::to_string(stop.line) + ":" + std::to_string(stop.column) + ": expected " +
           stop.expected + ", found '" + stop.found + "'";
}
