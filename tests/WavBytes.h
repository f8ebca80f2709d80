#pragma once
// Builds RIFF WAVE bytes for the audio tests, including deliberately broken ones.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
inline void PutId(Bytes& b, const char* id) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(id[i]));
}

// A chunk with its header; `declared` overrides the size written in the header. Odd bodies get
// their pad byte.
inline Bytes Chunk(const char* id, const Bytes& body, int64_t declared = -1) {
    Bytes b;
    PutId(b, id);
    Put32(b, declared < 0 ? uint32_t(body.size()) : uint32_t(declared));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() & 1) b.push_back(0);
    return b;
}

// The body of a "fmt " chunk: the 16-byte PCM part, then `tail` as is.
inline Bytes FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& tail = {},
                     int blockAlign = -1) {
    Bytes b;
    const uint16_t align = blockAlign < 0 ? uint16_t(channels * bits / 8) : uint16_t(blockAlign);
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, rate * align);
    Put16(b, align);
    Put16(b, bits);
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

// "RIFF" + size + "WAVE" around the given chunks; `declared` overrides the RIFF size.
inline Bytes Riff(const std::vector<Bytes>& chunks, int64_t declared = -1) {
    Bytes body;
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    PutId(b, "RIFF");
    Put32(b, declared < 0 ? uint32_t(body.size() + 4) : uint32_t(declared));
    PutId(b, "WAVE");
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

inline Bytes Samples16(const std::vector<int16_t>& samples) {
    Bytes b;
    for (int16_t s : samples) Put16(b, uint16_t(s));
    return b;
}

// A mono 16-bit PCM file at `rate` holding `samples`.
inline Bytes MonoWav(const std::vector<int16_t>& samples, uint32_t rate = 44100) {
    return Riff({Chunk("fmt ", FmtBody(1, 1, rate, 16)), Chunk("data", Samples16(samples))});
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
