#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// A file's bytes, read-only: a regular file is mapped into memory (its pages come from the page
// cache, with no copy and no fresh memory to fault in), anything else (a pipe, a device) is read
// into a buffer. At most `limit` bytes are taken; what lies beyond reads as the end of the file.
// A mapped file that another program shortens while it is open is undefined (the system may stop
// the process); files are replaced by renaming, which leaves the mapped one whole.
class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // Opens the file at path, dropping what was open before; false when it cannot be opened.
    bool Open(const std::string& path, size_t limit);
    // The bytes taken; valid until the next Open or the end of this object.
    std::string_view Text() const { return text_; }

private:
    void Close();

    void* map_ = nullptr;
    size_t mapBytes_ = 0;
    std::string buffer_;
    std::string_view text_;
};
