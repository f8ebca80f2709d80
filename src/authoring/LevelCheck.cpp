#include "authoring/LevelCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <filesystem>
#include <optional>

#include "authoring/LevelWarnings.h"
#include "level/Level.h"
#include "level/Tiles.h"
#include "level/TokenReader.h"

namespace {

// The descriptions the loader gives its reads; the checker keys the places it keeps on them.
bool IsHeadingRead(const char* what) { return std::strncmp(what, "a heading", 9) == 0; }
bool IsBlankByte(char c) { return c == ' ' || static_cast<unsigned char>(c - '\t') < 5; }

// A read that took only part of its token: "12.5" read as an integer, "east" as a heading. The
// game reads on from the middle of the token; the checker reports the whole token instead.
struct PartRead {
    size_t start = 0;
    std::string expected;
    std::string found;
};

std::string Found(const std::string& token) {
    return token == "end of file" || token.empty() ? "the end of the file" : "'" + Printable(token) + "'";
}

// Turns a heading read's description, "a heading (start)", into one that lists the headings.
std::string ExpectedText(const std::string& expected) {
    if (expected.rfind("a heading", 0) == 0) return "a heading n, e, s or w" + expected.substr(9);
    return expected;
}

// Observes the loader's reads outside the object entries: keeps the places warnings need and the
// first heading read from a token that is none.
class PlaceRecorder {
public:
    explicit PlaceRecorder(std::string_view text) : text_(text) {}

    void operator()(const TokenPlace& place) {
        if (!badHeading && IsHeadingRead(place.what) && !IsHeading(text_[place.start]))
            badHeading = PartRead{place.start, place.what, TokenFrom(text_, place.start)};
        const std::string_view what = place.what;
        if (what == "an integer (height)") places.height = place.start;
        if (what == "an integer (width)") places.width = place.start;
        if (what == "start") places.start = place.start;
        if (what == "finish") places.finish = place.start;
        if (what == "a number (speed)") places.speedEnd = place.end;
    }

    ReadPlaces places;
    std::optional<PartRead> badHeading;

private:
    std::string_view text_;
};

Diagnostic Error(int line, int column, std::string text) {
    return Diagnostic{Diagnostic::Kind::Error, line, column, std::move(text)};
}

// A hint for the two ways an object list and its count disagree.
std::string CountHint(const Level& level, const ReadPlaces& places, const ReadStop& stop) {
    const bool inEntry = stop.expected.find("(object") != std::string::npos || stop.expected == "an object name";
    // An entry whose x was read but not its last field is recorded yet not read in full.
    const size_t read = places.trace.wholeEntries;
    if (inEntry && read < static_cast<size_t>(level.objectCount))
        return " (\"objects\" announces " + std::to_string(level.objectCount) + " entries, " +
               std::to_string(read) + " read in full)";
    if (stop.expected == "the keyword \"start\"" && level.objectCount >= 0)
        return " (\"objects\" announces " + std::to_string(level.objectCount) + " entries; is there one more?)";
    return "";
}

}  // namespace

size_t ReadPlaces::EntryToken(std::string_view text, size_t entry, int field) const {
    const size_t mark = entry / LoadTrace::kEntriesPerMark;
    if (entry >= trace.wholeEntries || mark >= trace.entryMarks.size()) return 0;
    size_t at = trace.entryMarks[mark];
    const size_t skip = 5 * (entry % LoadTrace::kEntriesPerMark) + static_cast<size_t>(field);
    for (size_t token = 0; token < skip; ++token) {
        while (at < text.size() && !IsBlankByte(text[at])) ++at;
        while (at < text.size() && IsBlankByte(text[at])) ++at;
    }
    return at;
}

bool Fails(const std::vector<Diagnostic>& diagnostics, bool strict) {
    for (const Diagnostic& d : diagnostics)
        if (strict || d.kind == Diagnostic::Kind::Error) return true;
    return false;
}

std::vector<Diagnostic> CheckLevelFile(const std::string& path, const ModelList* models, size_t* unlisted) {
    if (unlisted) *unlisted = 0;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return {Error(0, 0, "cannot be opened: no such file")};
    if (std::filesystem::is_directory(status)) return {Error(0, 0, "is a folder, not a level file")};
    MappedFile file;
    if (!OpenTextFile(path, &file)) return {Error(0, 0, "cannot be opened for reading")};
    return CheckLevelText(file.Text(), models, unlisted);
}

std::vector<Diagnostic> CheckLevelText(std::string_view text, const ModelList* models, size_t* unlisted) {
    if (unlisted) *unlisted = 0;
    // The game's own loader reads the file; the checker only watches where its tokens lie. The
    // level is made from no file (an empty record) so that the observer is in place for the load.
    Level level(nullptr, nullptr);
    PlaceRecorder recorder(text);
    level.tokenObserver = [&recorder](const TokenPlace& place) { recorder(place); };
    level.loadTrace = &recorder.places.trace;
    level.LoadText(text);
    level.tokenObserver = nullptr;
    level.loadTrace = nullptr;

    const TextPositions positions(text);
    // A token read in part comes before the stop it causes, so the first of them is the first
    // error when there is one.
    std::optional<PartRead> partRead = std::move(recorder.badHeading);
    if (const auto& cut = recorder.places.trace.firstPartRead; cut && (!partRead || cut->start < partRead->start))
        partRead = PartRead{cut->start, cut->what, TokenFrom(text, cut->start)};
    if (partRead) {
        int line, column;
        positions.At(partRead->start, &line, &column);
        return {Error(line, column, "expected " + ExpectedText(partRead->expected) + ", found " + Found(partRead->found))};
    }
    if (level.loadStop) {
        const ReadStop& stop = *level.loadStop;
        if (stop.line == 0) return {Error(0, 0, "cannot be opened for reading")};
        return {Error(stop.line, stop.column,
                      "expected " + ExpectedText(stop.expected) + ", found " + Found(stop.found) +
                          CountHint(level, recorder.places, stop))};
    }
    return LevelWarnings(level, recorder.places, text, positions, models, unlisted);
}
