#pragma once
// `.x` files as common exporters write them, made by the scripts that also seed the fuzzers:
// fuzz/x_layouts.py writes one small scene in an exporter's layout (its header says which), and
// the encodings a writer can choose: binary tokens with 32- or 64-bit floats, MSZIP compression.
#include <unistd.h>

#include <cstdio>
#include <string>

namespace xexport {

// The output of `python3 fuzz/SCRIPT` given `input`.
inline std::string RunScript(const std::string& script, const std::string& input = "") {
    char name[] = "/tmp/tracklet-x-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return {};
    const bool written = write(fd, input.data(), input.size()) == ssize_t(input.size());
    close(fd);
    std::string out;
    const std::string command = "python3 " TRACKLET_SOURCE_DIR "/fuzz/" + script + " < " + name;
    if (FILE* pipe = written ? popen(command.c_str(), "r") : nullptr) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    unlink(name);
    return out;
}

// The scene in a layout: "plain" (the reference), "blender", "max" or "saved".
inline std::string Layout(const std::string& name) { return RunScript("x_layouts.py " + name); }

// The binary form of a text `.x` file with floats of `floatBits`, as exporters write it (with
// `padded`, each string's separator word followed by a zero word, as the format's notes show it).
inline std::string ToBinary(const std::string& text, int floatBits, bool padded = false) {
    return text.substr(0, 8) + "bin " + (floatBits == 64 ? "0064" : "0032") +
           RunScript("x_to_binary.py " + std::to_string(floatBits) + (padded ? " pad" : ""), text);
}

// The compressed form ("tzip" or "bzip") of a `.x` file, in blocks of at most `blockBytes`.
inline std::string Compress(const std::string& plain, size_t blockBytes) {
    return RunScript("x_to_compressed.py " + std::to_string(blockBytes), plain);
}

}  // namespace xexport
