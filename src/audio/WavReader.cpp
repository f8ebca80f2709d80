#include "audio/WavReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "audio/AudioStatus.h"
#include "audio/BuiltInWaves.h"

// Random access to the bytes of a file or of a block in memory, with the real size known, so
// that no size read from a header is trusted before it is checked against it.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Length() const = 0;
    // False unless all `count` bytes at `offset` were copied.
    virtual bool ReadAt(uint64_t offset, void* out, size_t count) = 0;
};

namespace {

class FileSource : public ByteSource {
public:
    FileSource(std::FILE* file, uint64_t length) : file(file), length(length) {}
    ~FileSource() override { std::fclose(file); }
    uint64_t Length() const override { return length; }
    bool ReadAt(uint64_t offset, void* out, size_t count) override {
        if (offset > length || count > length - offset) return false;
        if (fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
        return std::fread(out, 1, count, file) == count;
    }

private:
    std::FILE* file;
    uint64_t length;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* bytes, size_t count) : copy(bytes, bytes + (bytes ? count : 0)) {}
    uint64_t Length() const override { return copy.size(); }
    bool ReadAt(uint64_t offset, void* out, size_t count) override {
        if (offset > copy.size() || count > copy.size() - offset) return false;
        std::memcpy(out, copy.data() + offset, count);
        return true;
    }

private:
    std::vector<uint8_t> copy;
};

std::unique_ptr<ByteSource> OpenFile(const char* fileName) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file) return nullptr;
    // The real size bounds every chunk; a file whose end cannot be found is not read at all.
    off_t length = -1;
    if (fseeko(file, 0, SEEK_END) == 0) length = ftello(file);
    if (length < 0) {
        std::fclose(file);
        return nullptr;
    }
    return std::make_unique<FileSource>(file, static_cast<uint64_t>(length));
}

uint32_t Id(const char id[4]) {
    return uint32_t(uint8_t(id[0])) | uint32_t(uint8_t(id[1])) << 8 | uint32_t(uint8_t(id[2])) << 16 |
           uint32_t(uint8_t(id[3])) << 24;
}

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

}  // namespace

WavReader::WavReader() = default;

WavReader::~WavReader() {
    Close();
    format.reset();
}

Result WavReader::Open(const char* fileName, const WaveFormat*, uint32_t mode_) {
    mode = mode_;
    if (!fileName) return kInvalidArg;
    if (mode != kReadMode) return kFail;
    std::unique_ptr<ByteSource> source = OpenFile(fileName);
    if (!source) {
        const uint8_t* bytes = nullptr;
        size_t count = 0;
        if (!FindBuiltInWave(fileName, &bytes, &count) || count == 0) {
            Close();
            size = 0;
            return kFail;
        }
        source = std::make_unique<MemorySource>(bytes, count);
    }
    return OpenSource(std::move(source));
}

Result WavReader::OpenBytes(const uint8_t* bytes, size_t count) {
    mode = kReadMode;
    if (!bytes && count) return kInvalidArg;
    return OpenSource(std::make_unique<MemorySource>(bytes, count));
}

Result WavReader::OpenSource(std::unique_ptr<ByteSource> source) {
    Close();
    size = 0;
    format.reset();
    handle = std::move(source);
    if (Failed(ReadHeader()) || Failed(Rewind())) {
        Close();
        format.reset();
        return kFail;
    }
    size = chunk.size;
    return kOk;
}

bool WavReader::FindChunk(const ChunkInfo& parent, const char id[4], ChunkInfo* found) {
    // Walk the chunks inside the RIFF body after its form type. Each step reads a chunk header
    // from the file and moves at least 8 bytes on, so the walk ends within the file. Sizes are
    // taken as written: the chunk found may run past its parent or the file (its reads then
    // give what the file holds), and a chunk skipped past the end ends the search.
    const uint64_t end = parent.dataOffset + parent.size;
    uint64_t offset = parent.dataOffset + 4;
    while (offset + 8 <= end) {
        uint8_t header[8];
        if (!handle->ReadAt(offset, header, 8)) return false;
        const uint32_t chunkId = Le32(header);
        const uint32_t chunkSize = Le32(header + 4);
        const uint64_t body = offset + 8;
        if (chunkId == Id(id)) {
            *found = ChunkInfo{chunkId, chunkSize, 0, body};
            return true;
        }
        // Chunk bodies are padded to an even length.
        offset = body + chunkSize + (chunkSize & 1u);
    }
    return false;
}

Result WavReader::ReadHeader() {
    format.reset();
    uint8_t riff[12];
    if (!handle->ReadAt(0, riff, sizeof riff)) return kFail;
    riffChunk = ChunkInfo{Le32(riff), Le32(riff + 4), Le32(riff + 8), 8};
    if (riffChunk.id != Id("RIFF") || riffChunk.formType != Id("WAVE")) return kFail;

    ChunkInfo fmt;
    if (!FindChunk(riffChunk, "fmt ", &fmt) || fmt.size < 16) return kFail;
    uint8_t pcm[16];
    if (!handle->ReadAt(fmt.dataOffset, pcm, sizeof pcm)) return kFail;
    auto parsed = std::make_unique<WaveFormat>();
    parsed->formatTag = Le16(pcm);
    parsed->channels = Le16(pcm + 2);
    parsed->samplesPerSec = Le32(pcm + 4);
    parsed->avgBytesPerSec = Le32(pcm + 8);
    parsed->blockAlign = Le16(pcm + 12);
    parsed->bitsPerSample = Le16(pcm + 14);
    // PCM has no extra bytes whatever the chunk's length; other tags carry a counted tail that
    // is read from wherever it lies, inside the chunk or not, as long as the file holds it
    // (at most 64 KiB, so it is checked before it is allocated).
    if (parsed->formatTag != kFormatPcm) {
        uint8_t count[2];
        if (!handle->ReadAt(fmt.dataOffset + 16, count, 2)) return kFail;
        parsed->cbSize = Le16(count);
        if (fmt.dataOffset + 18 + parsed->cbSize > handle->Length()) return kFail;
        parsed->extra.resize(parsed->cbSize);
        if (parsed->cbSize && !handle->ReadAt(fmt.dataOffset + 18, parsed->extra.data(), parsed->cbSize))
            return kFail;
    }
    format = std::move(parsed);
    return kOk;
}

Result WavReader::Rewind() {
    if (!handle) return kNotInitialized;
    if (!FindChunk(riffChunk, "data", &chunk)) return kFail;
    readOffset = chunk.dataOffset;
    return kOk;
}

Result WavReader::Read(uint8_t* buffer, uint32_t count, uint32_t* bytesRead) {
    if (!handle) return kNotInitialized;
    if (!buffer || !bytesRead) return kInvalidArg;
    *bytesRead = 0;
    if (count > chunk.size) count = chunk.size;
    chunk.size -= count;
    // A data chunk that claims more than the file holds gives what there is.
    const uint64_t length = handle->Length();
    const uint32_t present = readOffset >= length ? 0 : uint32_t(std::min<uint64_t>(count, length - readOffset));
    if (present && !handle->ReadAt(readOffset, buffer, present)) return kFail;
    readOffset += count;
    *bytesRead = present;
    return kOk;
}

uint32_t WavReader::StoredSize() const {
    if (!handle || chunk.dataOffset >= handle->Length()) return 0;
    return uint32_t(std::min<uint64_t>(size, handle->Length() - chunk.dataOffset));
}

Result WavReader::Close() {
    handle.reset();
    return kOk;
}
