#include "authoring/LevelCheck.h"

#include <algorithm>
#include <charconv>
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
bool Is(const char* what, const char* text) { return std::strcmp(what, text) == 0; }
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

// Observes the loader's reads: keeps the places warnings need and the first part-read token.
class PlaceRecorder {
public:
    explicit PlaceRecorder(std::string_view text) : text_(text) {}

    void operator()(const TokenPlace& place) {
        const Role role = RoleOf(place.what);
        // A read never takes a blank, so it took its whole token when a blank or the end follows.
        const bool cut = place.end < text_.size() && !IsBlankByte(text_[place.end]);
        if (!partRead && (cut || (role.heading && !IsHeading(text_[place.start]))))
            partRead = PartRead{place.start, place.what, TokenFrom(text_, place.start)};
        switch (role.kind) {
            case Kind::kEntryX: {
                const auto at = static_cast<uint32_t>(place.start);
                places.entries.push_back({at, at});
                break;
            }
            case Kind::kEntryName:
                if (!places.entries.empty()) places.entries.back().name = static_cast<uint32_t>(place.start);
                break;
            case Kind::kCount: {
                // Room for the announced entries, as many as the file can hold (ten bytes each at least).
                int32_t count = 0;
                std::from_chars(text_.data() + place.start, text_.data() + place.end, count);
                if (count > 0) places.entries.reserve(std::min(static_cast<size_t>(count), text_.size() / 10));
                break;
            }
            case Kind::kHeight: places.height = place.start; break;
            case Kind::kWidth: places.width = place.start; break;
            case Kind::kStart: places.start = place.start; break;
            case Kind::kFinish: places.finish = place.start; break;
            case Kind::kSpeed: places.speedEnd = place.end; break;
            case Kind::kOther: break;
        }
    }

    ReadPlaces places;
    std::optional<PartRead> partRead;

private:
    enum class Kind { kOther, kEntryX, kEntryName, kCount, kHeight, kWidth, kStart, kFinish, kSpeed };
    struct Role {
        Kind kind = Kind::kOther;
        bool heading = false;
    };

    static Role Classify(const char* what) {
        Role role{Kind::kOther, IsHeadingRead(what)};
        static constexpr std::pair<const char*, Kind> kKinds[] = {
            {"an integer (object x)", Kind::kEntryX}, {"an object name", Kind::kEntryName},
            {"an integer (object count)", Kind::kCount}, {"an integer (height)", Kind::kHeight},
            {"an integer (width)", Kind::kWidth}, {"start", Kind::kStart}, {"finish", Kind::kFinish},
            {"a number (speed)", Kind::kSpeed}};
        for (const auto& [text, kind] : kKinds)
            if (Is(what, text)) role.kind = kind;
        return role;
    }

    // The loader describes its reads with the same few literals millions of times over, so each
    // description is compared once and then known by its address.
    Role RoleOf(const char* what) {
        Known& known = known_[(reinterpret_cast<uintptr_t>(what) >> 3) % kKnown];
        if (known.what != what) known = Known{what, Classify(what)};
        return known.role;
    }

    static constexpr size_t kKnown = 64;
    struct Known {
        const char* what = nullptr;
        Role role;
    };
    Known known_[kKnown];
    std::string_view text_;
};

Diagnostic Error(int line, int column, std::string text) {
    return Diagnostic{Diagnostic::Kind::Error, line, column, std::move(text)};
}

// A hint for the two ways an object list and its count disagree.
std::string CountHint(const Level& level, const ReadPlaces& places, const ReadStop& stop) {
    const bool inEntry = stop.expected.find("(object") != std::string::npos || stop.expected == "an object name";
    // An entry whose x was read but not its last field is recorded yet not read in full.
    const bool started = inEntry && stop.expected != "an integer (object x)";
    const size_t read = places.entries.size() - (started && !places.entries.empty() ? 1 : 0);
    if (inEntry && read < static_cast<size_t>(level.objectCount))
        return " (\"objects\" announces " + std::to_string(level.objectCount) + " entries, " +
               std::to_string(read) + " read in full)";
    if (stop.expected == "the keyword \"start\"" && level.objectCount >= 0)
        return " (\"objects\" announces " + std::to_string(level.objectCount) + " entries; is there one more?)";
    return "";
}

}  // namespace

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
    level.LoadText(text);
    level.tokenObserver = nullptr;

    const TextPositions positions(text);
    // A part-read token comes before the stop it causes, so it is the first error when present.
    if (recorder.partRead) {
        int line, column;
        positions.At(recorder.partRead->start, &line, &column);
        return {Error(line, column,
                      "expected " + ExpectedText(recorder.partRead->expected) + ", found " +
                          Found(recorder.partRead->found))};
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
