#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "audio/WaveFormat.h"
#include "platform/Result.h"

class ByteSource;

// One RIFF chunk: its id, body size, form type (RIFF only) and the file offset of its body.
struct ChunkInfo {
    uint32_t id = 0;
    uint32_t size = 0;
    uint32_t formType = 0;
    uint64_t dataOffset = 0;
};

constexpr uint32_t kReadMode = 1;

// Reads the format and sample data of a RIFF WAVE file, or of WAVE bytes held in memory. Sizes
// are taken as the header writes them, but nothing is read or allocated beyond the real file.
class WavReader {
public:
    std::unique_ptr<WaveFormat> format;  // null until a header was read
    std::unique_ptr<ByteSource> handle;  // the open file or memory; null when closed
    ChunkInfo chunk;                     // the "data" chunk; size counts the bytes not yet read
    ChunkInfo riffChunk;                 // the outer RIFF chunk
    uint32_t size = 0;                   // sample data bytes; 0 while nothing valid is open
    uint32_t mode = 0;

    WavReader();
    ~WavReader();

    // Opens `fileName` (or, when no such file exists, the built-in WAVE of that name) in read
    // mode and positions at the sample data. `format` is unused; only mode 1 is supported.
    Result Open(const char* fileName, const WaveFormat* format, uint32_t mode);
    // Opens a private copy of `count` bytes of WAVE data, as Open does a file.
    Result OpenBytes(const uint8_t* bytes, size_t count);
    // Bytes of sample data; 0 when nothing valid is open.
    uint32_t Size() const { return size; }
    // Bytes of sample data the file really holds: Size(), or less when the data chunk claims
    // more than the file has.
    uint32_t StoredSize() const;
    // Back to the start of the sample data, with the whole data left to read.
    Result Rewind();
    // Copies up to `count` bytes of the data not yet read into `buffer`; the count in `bytesRead`.
    Result Read(uint8_t* buffer, uint32_t count, uint32_t* bytesRead);
    // Closes the file or memory.
    Result Close();

private:
    Result OpenSource(std::unique_ptr<ByteSource> source);
    Result ReadHeader();
    bool FindChunk(const ChunkInfo& parent, const char id[4], ChunkInfo* found);
    uint64_t readOffset = 0;  // file offset of the next data byte
};
