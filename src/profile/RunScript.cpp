#include "profile/RunScript.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

bool ParseCount(const std::string& token, uint64_t* out) {
    const char* end = token.data() + token.size();
    const auto result = std::from_chars(token.data(), end, *out);
    return result.ec == std::errc() && result.ptr == end;
}

bool ParseNumber(const std::string& token, float* out) {
    const char* end = token.data() + token.size();
    const auto result = std::from_chars(token.data(), end, *out);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(*out);
}

std::vector<std::string> Split(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) tokens.push_back(token);
    return tokens;
}

// The rest of a comment line after `prefix`, when it starts so.
bool CommentValue(const std::string& line, const std::string& prefix, std::string* value) {
    if (line.rfind(prefix, 0) != 0) return false;
    *value = line.substr(prefix.size());
    while (!value->empty() && (value->back() == '\r' || value->back() == ' ')) value->pop_back();
    return true;
}

}  // namespace

int ParseRunLine(const std::string& line, RunCommand* command, std::string* why) {
    const std::vector<std::string> tokens = Split(line);
    if (tokens.empty() || tokens[0][0] == '#') return 0;
    const std::string& name = tokens[0];
    RunCommand parsed;
    if (name == "frames") {
        parsed.kind = RunCommand::Kind::Frames;
        if (tokens.size() != 3 || !ParseCount(tokens[1], &parsed.count) || !ParseNumber(tokens[2], &parsed.dt)) {
            *why = "malformed line, expected 'frames N DT'";
            return -1;
        }
    } else if (name == "click") {
        parsed.kind = RunCommand::Kind::Click;
        Vec3& p = parsed.point;
        if ((tokens.size() != 3 && tokens.size() != 4) || !ParseNumber(tokens[1], &p.x) ||
            !ParseNumber(tokens[2], &p.y) || (tokens.size() == 4 && !ParseNumber(tokens[3], &p.z))) {
            *why = "malformed line, expected 'click X Y' or 'click X Y Z'";
            return -1;
        }
    } else if (name == "print") {
        if (tokens.size() != 1) {
            *why = "malformed line, expected 'print'";
            return -1;
        }
    } else {
        *why = "unknown command '" + name + "'";
        return -1;
    }
    *command = parsed;
    return 1;
}

bool ReadRunParts(const std::string& text, std::vector<RunPart>* parts, std::string* why) {
    std::istringstream in(text);
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        std::string value;
        if (CommentValue(line, "# level ", &value)) {
            parts->push_back(RunPart{value, "", {}});
            continue;
        }
        if (!parts->empty() && CommentValue(line, "# content ", &value)) {
            parts->back().content = value;
            continue;
        }
        RunCommand command;
        std::string reason;
        const int status = ParseRunLine(line, &command, &reason);
        if (status < 0) {
            *why = "line " + std::to_string(number) + ": " + reason;
            return false;
        }
        if (status > 0 && !parts->empty()) parts->back().commands.push_back(command);
    }
    return true;
}

std::string RunNumber(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void RunScriptWriter::Begin(const std::string& levelPath, const std::string& contentHash) {
    *this = RunScriptWriter{};
    started_ = true;
    text_ = "# level " + levelPath + "\n";
    if (!contentHash.empty()) text_ += "# content " + contentHash + "\n";
}

void RunScriptWriter::Flush() {
    if (pendingFrames_ == 0) return;
    text_ += "frames " + std::to_string(pendingFrames_) + " " + RunNumber(pendingDt_) + "\n";
    pendingFrames_ = 0;
}

void RunScriptWriter::Frame(float dt) {
    if (pendingFrames_ > 0 && std::bit_cast<uint32_t>(dt) != std::bit_cast<uint32_t>(pendingDt_)) Flush();
    pendingDt_ = dt;
    ++pendingFrames_;
    seconds_ += dt;
}

void RunScriptWriter::Shot(const Vec3& hit) {
    Flush();
    text_ += "click " + RunNumber(hit.x) + " " + RunNumber(hit.y);
    if (hit.z != 0.0f) text_ += " " + RunNumber(hit.z);
    text_ += "\n";
}

std::string RunScriptWriter::Text() const {
    std::string text = text_;
    if (pendingFrames_ > 0) text += "frames " + std::to_string(pendingFrames_) + " " + RunNumber(pendingDt_) + "\n";
    return text + "print\n";
}

std::string ContentHash(const std::string& bytes) {
    uint64_t h = 14695981039346656037ull;  // the 64-bit FNV offset basis
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}
