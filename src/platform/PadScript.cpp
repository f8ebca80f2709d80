#include "platform/PadScript.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr std::array<std::string_view, 15> kButtonNames = {
    "a", "b", "x", "y", "back", "guide", "start", "leftstick", "rightstick", "leftshoulder", "rightshoulder",
    "dpup", "dpdown", "dpleft", "dpright"};
constexpr std::array<std::string_view, 6> kAxisNames = {"leftx", "lefty", "rightx", "righty", "lefttrigger",
                                                         "righttrigger"};
// A day of play: later times are surely a typing slip.
constexpr double kLatestTime = 86400.0;

template <size_t N>
int IndexOf(const std::array<std::string_view, N>& names, std::string_view name) {
    for (size_t i = 0; i < N; ++i)
        if (names[i] == name) return static_cast<int>(i);
    return -1;
}

// The words of one line, split at spaces and tabs.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A decimal number written whole in `word` (no hex, no inf or nan), within [low, high].
bool Number(std::string_view word, double low, double high, double* value) {
    if (word.empty() || word.size() > 32) return false;
    for (const char c : word)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return false;
    const std::string text(word);
    char* end = nullptr;
    *value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(*value) && *value >= low && *value <= high;
}

// Reads one event line; false with the reason.
bool ParseLine(const std::vector<std::string_view>& words, PadScriptEvent* event, std::string* why) {
    if (words[0] != "at") return (*why = "expected \"at SECONDS button NAME down|up\" or \"at SECONDS axis NAME VALUE\""), false;
    if (words.size() != 5) return (*why = "expected five words"), false;
    if (!Number(words[1], 0.0, kLatestTime, &event->at)) return (*why = "expected seconds from 0 to 86400"), false;
    if (words[2] == "button") {
        event->button = true;
        event->control = PadButtonNamed(words[3]);
        if (event->control < 0) return (*why = "no button is named \"" + std::string(words[3]) + "\""), false;
        if (words[4] != "down" && words[4] != "up") return (*why = "expected down or up"), false;
        event->value = words[4] == "down" ? 1.0f : 0.0f;
        return true;
    }
    if (words[2] == "axis") {
        event->button = false;
        event->control = PadAxisNamed(words[3]);
        if (event->control < 0) return (*why = "no axis is named \"" + std::string(words[3]) + "\""), false;
        double value = 0.0;
        if (!Number(words[4], -1.0, 1.0, &value)) return (*why = "expected a value from -1 to 1"), false;
        event->value = static_cast<float>(value);
        return true;
    }
    *why = "expected button or axis";
    return false;
}
}  // namespace

int PadButtonNamed(std::string_view name) { return IndexOf(kButtonNames, name); }

int PadAxisNamed(std::string_view name) { return IndexOf(kAxisNames, name); }

std::string PadScriptEventText(const PadScriptEvent& event) {
    if (event.button) return "button " + std::string(kButtonNames.at(event.control)) + (event.value > 0.5f ? " down" : " up");
    char value[32];
    std::snprintf(value, sizeof value, "%g", static_cast<double>(event.value));
    return "axis " + std::string(kAxisNames.at(event.control)) + " " + value;
}

bool ParsePadScript(std::string_view text, std::vector<PadScriptEvent>* events, int* line, std::string* why) {
    events->clear();
    *line = 0;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        ++*line;
        const std::vector<std::string_view> words = Words(text.substr(start, end - start));
        start = end + 1;
        if (words.empty() || words[0][0] == '#') continue;
        PadScriptEvent event;
        if (!ParseLine(words, &event, why)) return false;
        if (!events->empty() && event.at < events->back().at) return (*why = "the time goes back"), false;
        if (events->size() == kPadScriptMaxEvents) return (*why = "more than 100000 events"), false;
        events->push_back(event);
    }
    return true;
}
