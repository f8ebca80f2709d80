#include "resources/LevelSets.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

namespace {

constexpr double kMaxGoalSeconds = 1e6;

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
}

bool WholeNumber(const std::string& word, int32_t* value) {
    const auto result = std::from_chars(word.data(), word.data() + word.size(), *value);
    return result.ec == std::errc() && result.ptr == word.data() + word.size() && *value >= 0;
}

bool Seconds(const std::string& word, double* value) {
    // Digits and one point only: no signs, exponents, infinities or hexadecimal.
    if (word.empty() || word.find_first_not_of("0123456789.") != std::string::npos) return false;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), *value);
    return result.ec == std::errc() && result.ptr == word.data() + word.size() && *value > 0.0 &&
           *value <= kMaxGoalSeconds;
}

class SetsReader {
public:
    SetsReader(const std::vector<std::string>& levels, std::vector<LevelSet>* sets, SetsError* error)
        : sets_(*sets), error_(*error) {
        for (size_t i = 0; i < levels.size(); ++i) position_.emplace(levels[i], static_cast<int32_t>(i));
    }

    bool Line(int32_t number, const std::string& raw) {
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == '#') return true;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "set") return Set(number, Trimmed(line.substr(3)));
        if (keyword == "level") return Level(number, words);
        return Fail(number, "expected 'set NAME' or 'level FILE score S time T', not '" + keyword + "'");
    }

    bool Finish() {
        if (sets_.empty()) return Fail(0, "no set: the file lists no 'set NAME' line");
        if (sets_.back().levels.empty()) return Fail(sets_.back().line, "the set '" + sets_.back().name + "' has no levels");
        return true;
    }

private:
    bool Fail(int32_t line, const std::string& message) {
        error_ = SetsError{line, message};
        return false;
    }

    bool Set(int32_t number, const std::string& name) {
        if (name.empty()) return Fail(number, "a set needs a name: 'set NAME'");
        if (!sets_.empty() && sets_.back().levels.empty())
            return Fail(sets_.back().line, "the set '" + sets_.back().name + "' has no levels");
        sets_.push_back(LevelSet{name, {}, number});
        return true;
    }

    bool Level(int32_t number, std::istringstream& words) {
        std::string file, scoreWord, score, timeWord, time, extra;
        words >> file >> scoreWord >> score >> timeWord >> time;
        if (file.empty() || scoreWord != "score" || timeWord != "time" || time.empty() || (words >> extra))
            return Fail(number, "expected 'level FILE score S time T'");
        if (sets_.empty()) return Fail(number, "a level before the first 'set NAME' line");
        SetLevel level{file, {}, number};
        if (!WholeNumber(score, &level.goals.score))
            return Fail(number, "the score goal '" + score + "' is not a whole number from 0 to 2147483647");
        if (!Seconds(time, &level.goals.seconds))
            return Fail(number, "the time goal '" + time + "' is not a number of seconds above 0 and at most 1000000");
        const auto listed = position_.find(file);
        if (listed == position_.end()) return Fail(number, file + " is not listed in levels.txt");
        const auto named = namedOn_.find(file);
        if (named != namedOn_.end())
            return Fail(number, file + " is named twice (first on line " + std::to_string(named->second) + ")");
        if (listed->second < lastPosition_)
            return Fail(number, file + " comes before " + lastFile_ + " in levels.txt: the sets keep levels.txt's order");
        namedOn_.emplace(file, number);
        lastPosition_ = listed->second;
        lastFile_ = file;
        sets_.back().levels.push_back(std::move(level));
        return true;
    }

    std::vector<LevelSet>& sets_;
    SetsError& error_;
    std::map<std::string, int32_t> position_;  // in levels.txt
    std::map<std::string, int32_t> namedOn_;   // line of sets.txt
    int32_t lastPosition_ = -1;
    std::string lastFile_;
};

}  // namespace

bool ParseLevelSets(const std::string& text, const std::vector<std::string>& levels, std::vector<LevelSet>* sets,
                    SetsError* error) {
    sets->clear();
    SetsReader reader(levels, sets, error);
    std::istringstream in(text);
    std::string line;
    for (int32_t number = 1; std::getline(in, line); ++number)
        if (!reader.Line(number, line)) return false;
    return reader.Finish();
}

bool ReadLevelSets(const std::string& path, const std::vector<std::string>& levels, std::vector<LevelSet>* sets,
                   SetsError* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = SetsError{0, "cannot be opened"};
        return false;
    }
    std::string text(kMaxSetsFileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > kMaxSetsFileBytes) {
        *error = SetsError{0, "larger than 1 MiB"};
        return false;
    }
    return ParseLevelSets(text, levels, sets, error);
}

std::string FormatSetsError(const std::string& path, const SetsError& error) {
    if (error.line == 0) return path + ": error: " + error.message;
    return path + ":" + std::to_string(error.line) + ": error: " + error.message;
}

std::vector<ShownSet> ArrangeSets(const std::vector<LevelSet>& sets, const std::vector<std::string>& levels) {
    std::map<std::string, int32_t> position;
    for (size_t i = 0; i < levels.size(); ++i) position.emplace(levels[i], static_cast<int32_t>(i));
    std::vector<ShownSet> shown;
    std::vector<bool> placed(levels.size(), false);
    for (const LevelSet& set : sets) {
        ShownSet entry{set.name, {}, {}, false};
        for (const SetLevel& level : set.levels) {
            const auto found = position.find(level.file);
            if (found == position.end() || placed[static_cast<size_t>(found->second)]) continue;
            placed[static_cast<size_t>(found->second)] = true;
            entry.levels.push_back(found->second);
            entry.goals.push_back(level.goals);
        }
        if (!entry.levels.empty()) shown.push_back(std::move(entry));
    }
    ShownSet rest{shown.empty() ? "Levels" : "More levels", {}, {}, true};
    for (size_t i = 0; i < levels.size(); ++i) {
        if (placed[i]) continue;
        rest.levels.push_back(static_cast<int32_t>(i));
        rest.goals.push_back(std::nullopt);
    }
    if (!rest.levels.empty()) shown.push_back(std::move(rest));
    // A single set is the whole game: it is always open.
    if (shown.size() == 1) shown.front().alwaysOpen = true;
    return shown;
}
